#pragma once

#include "platform/Database.h"

#include <QList>
#include <QPair>
#include <QString>

// Registration databases of an older version, for the upgrade tests and benchmarks:
// the sample overlay registrations, a few identified, occupied and suspended
// registrations that reserve rows deduct from, report rows with the codes older
// versions used, in the structure of an older version: without the deduction columns
// of 资源储量 and the entry mark 是否录入 of the kind tables, and with an older version
// number (or none).
namespace OldRegistrations {

struct Options
{
    int count = 40; // overlay registrations
    quint32 seed = 20080501;
    int referenced = 3;                       // registrations of each of 查明, 占用, 停办 deducted from
    QString version = QStringLiteral("1.40"); // empty: no table 数据库参数 at all
};

// The columns that the current structure adds to older ones (table, column).
QList<QPair<QString, QString>> laterColumns();

// Copies the template to `target` (replacing it) and fills it as above.
bool makeDatabase(const QString& templatePath, const QString& target, const Options& options,
                  Db::Error* error = nullptr);

// Turns a database of the current structure into one of the older structure: drops the
// later columns and sets the version (none when `version` is empty).
bool toOldStructure(const QString& path, const QString& version, Db::Error* error = nullptr);

} // namespace OldRegistrations
