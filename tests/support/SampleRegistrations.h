#pragma once

#include "platform/Database.h"

#include <QSqlDatabase>
#include <QString>

// Fills a copy of the template with realistic overlay registrations for tests and
// benchmarks: every registration has its rows in 登记, 压覆, 报告 and 坐标 (several
// rings in each coordinate text), quality and reserve rows of minerals from cb06,
// a region spread over the counties of cb08, and mining areas shared by a few
// registrations each. The same seed gives the same data.
namespace SampleRegistrations {

struct Options
{
    int count = 100;
    quint32 seed = 20080501;
};

// Adds the registrations to the open database (inside one transaction).
bool fill(const QSqlDatabase& db, const Options& options, Db::Error* error = nullptr);

// Copies the template to `target` (replacing it) and fills it.
bool makeDatabase(const QString& templatePath, const QString& target, const Options& options,
                  Db::Error* error = nullptr);

// Makes the database at `target` once: an existing file is taken as it is; a new
// one is filled beside it and renamed into place when complete.
bool ensureDatabase(const QString& templatePath, const QString& target, const Options& options,
                    Db::Error* error = nullptr);

} // namespace SampleRegistrations
