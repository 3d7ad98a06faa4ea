#include "RegionImport.h"

#include "RegionDelete.h"
#include "RegionSelection.h"

namespace regions {

namespace {
const QString kSource = QStringLiteral("DataImportXzq");

Db::Error failure(const QString& description)
{
    return Db::Error{-1, kSource, description};
}
} // namespace

QList<ImportStep> importSteps(bool allKinds)
{
    QList<ImportStep> steps;
    for (const QString& kind : kindTables(allKinds))
        steps.append({kind, kind});
    for (const QString& kind : kindTables(allKinds))
        for (const QString& table : detailTables())
            steps.append({table, kind});
    return steps;
}

Result<RegionImportOutcome> Import_Region_Data(const QSqlDatabase& db, const QString& prefix, bool allKinds,
                                               const exchange::Progress& progress)
{
    RegionImportOutcome outcome;
    const QList<ImportStep> steps = importSteps(allKinds);
    for (int i = 0; i < steps.size(); ++i) {
        const ImportStep& step = steps.at(i);
        if (progress && !progress(i + 1, int(steps.size()) + 1)) return failure(QStringLiteral("导入已中止"));
        exchange::TableCopy copy;
        copy.table = step.table;
        copy.nullOldDates = true;
        const bool kindTable = step.table == step.kind;
        const RegionCondition c = regionCondition(
            kindTable ? QStringLiteral("s.行政区代码") : QStringLiteral("k.行政区代码"), prefix);
        if (!kindTable)
            copy.rows = QStringLiteral("JOIN src.") + exchange::quoted(step.kind) +
                        QStringLiteral(" AS k ON k.登记号 = s.登记号 ");
        if (!c.isEmpty()) copy.rows += QStringLiteral("WHERE ") + c.sql;
        copy.rows += QStringLiteral(" ORDER BY s.rowid");
        copy.values = c.values;
        const auto copied = exchange::copyTable(db, copy);
        if (!copied) return copied.error();
        if (kindTable) outcome.registrations += copied->rows;
        outcome.oldDates << copied->oldDates;
    }
    return outcome;
}

Result<RegionImportOutcome> Replace_Region_Data(const QSqlDatabase& db, const RegionImportRequest& request,
                                                const exchange::Progress& progress)
{
    exchange::AttachedDatabase source(db, request.sourcePath, QStringLiteral("src"));
    if (!source.ok()) return source.error();
    Db::TransactionGuard transaction(db);
    if (!transaction.started()) return failure(QStringLiteral("无法开始事务"));
    const int total = int(importSteps(request.allKinds).size()) + 1;
    if (progress && !progress(0, total)) return failure(QStringLiteral("导入已中止"));
    // The clearing refuses a prefix that is neither empty nor a region.
    if (const Status cleared = Clear_Region_Data(db, request.prefix, request.allKinds); !cleared)
        return cleared.error();
    auto imported = Import_Region_Data(db, request.prefix, request.allKinds, progress);
    if (!imported) return imported;
    Db::Error error;
    if (!transaction.commit(&error)) return error;
    if (progress) progress(total, total);
    return imported;
}

} // namespace regions
