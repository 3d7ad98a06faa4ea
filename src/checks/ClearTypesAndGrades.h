#pragma once

#include "platform/Result.h"

#include <QSqlDatabase>
#include <QStringList>

#include <functional>

namespace checks {

// The clean-up of wrong ore types and grades: reserve and quality rows whose ore
// type or grade is missing get the default of their mineral from the dictionaries
// cb02 and cb03 (70010 or 70000; 32, 500, or 30 for mineral 11001), and rows that
// have become alike are merged. Everything runs in one transaction on the working
// database: a failure leaves the database as it was.
class ClearTypesAndGrades
{
public:
    // One step done (of 38, 19 per batch).
    using Progress = std::function<void()>;

    // The statements of a batch: the reserve batch when `mode` reads as 1, else the
    // quality batch.
    static QStringList Get_Clear_Sql(const QString& mode);

    static Status run(const QSqlDatabase& db, const Progress& progress = {});

    // The scratch tables the clean-up makes and drops.
    static const QStringList& scratchTables();
};

} // namespace checks
