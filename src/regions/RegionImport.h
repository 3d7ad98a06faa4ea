#pragma once

#include "exchange/TableCopier.h"
#include "platform/Result.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

// The import by region: the working database's registrations of the chosen region
// and kinds are replaced by those of another registration database. The region's
// rows go first (Clear_Region_Data), then the import file's rows of the same region
// and kinds come in table by table (Import_Region_Data), each column by name under
// the row-copy rule of every import (a date of the years 100 to 1000 becomes Null
// and is reported). Numbers are taken over as they are. Both run in one
// transaction: the import lands whole or the working database stays as it was.
namespace regions {

struct RegionImportRequest
{
    QString sourcePath;
    QString prefix; // Region_Prefix of the code box; empty: the whole kind tables
    bool allKinds = false;
};

struct RegionImportOutcome
{
    int registrations = 0; // kind-table rows copied in
    QList<exchange::OldDate> oldDates;
};

// The copy order: the kind tables, then the five detail tables kind by kind.
struct ImportStep
{
    QString table;
    QString kind;
};
QList<ImportStep> importSteps(bool allKinds);

// Copies the import file's registrations of the region, attached as "src", inside
// the caller's transaction.
Result<RegionImportOutcome> Import_Region_Data(const QSqlDatabase& db, const QString& prefix, bool allKinds,
                                               const exchange::Progress& progress = {});

// Clear_Region_Data (RegionDelete.h), then Import_Region_Data, on the working database open on `db`. Progress
// counts the clearing and the copies. A prefix that is neither empty nor a region is refused.
Result<RegionImportOutcome> Replace_Region_Data(const QSqlDatabase& db, const RegionImportRequest& request,
                                                const exchange::Progress& progress = {});

} // namespace regions
