#pragma once

#include "TableCopier.h"
#include "platform/Result.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// The append import of a whole registration database: every registration of the
// source's kind tables, with its numbers kept, copied step by step by the plan. A
// registration whose number the working database holds already (or that an
// earlier kind of the same source took) is skipped with all its rows and
// reported, so nothing is ever doubled. The run is one transaction.
namespace exchange {

// One step: the rows of `table` whose number is in the source's kind table `kind`.
struct AppendStep
{
    QString kind;
    QString table;
};

// 6 steps for the overlay registrations alone, 24 for all four kinds.
QList<AppendStep> appendPlan(bool everyKind);

// The source tables the plan reads, each once, in the order it first reads them:
// the kind tables, then the tables of their details.
QStringList appendTables(bool everyKind);

struct AppendOutcome
{
    QStringList duplicates; // numbers skipped, in the order met
    QList<OldDate> oldDates;
    int rows = 0;
};

// Appends the source at `sourcePath` to `db` (the working database). Progress
// counts the steps.
Result<AppendOutcome> appendDatabase(const QSqlDatabase& db, const QString& sourcePath, bool everyKind,
                                     const Progress& progress = {});

// The lead of the one message that lists the skipped registrations.
QString duplicatesLead(int count);

} // namespace exchange
