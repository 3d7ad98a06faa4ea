#include "RegionExport.h"

#include "RegionSelection.h"
#include "exchange/ExchangeFiles.h"
#include "shell/KCUTIL_Province.h"

namespace regions {

namespace {

const QString kSource = QStringLiteral("DataExportXzq");

Db::Error failure(const QString& description)
{
    return Db::Error{-1, kSource, description};
}

// The rows of one step after "FROM src.<table> AS s".
exchange::TableCopy stepCopy(const ExportStep& step, const RegionExportRequest& request)
{
    exchange::TableCopy copy;
    copy.table = step.table;
    if (step.table == step.kind) {
        const RegionCondition c = regionCondition(QStringLiteral("s.行政区代码"), request.prefix);
        if (!c.isEmpty()) copy.rows = QStringLiteral("WHERE ") + c.sql;
        copy.values = c.values;
        return copy;
    }
    QStringList where;
    const RegionCondition c = regionCondition(QStringLiteral("k.行政区代码"), request.prefix);
    if (!c.isEmpty()) where << c.sql;
    // Overlay registrations only: the detail rows of overlay numbers.
    if (!request.allKinds) where << QStringLiteral("substr(s.登记号,1,1)='4'");
    copy.rows = QStringLiteral("JOIN src.") + Db::quotedName(step.kind) +
                QStringLiteral(" AS k ON k.登记号 = s.登记号 ");
    if (!where.isEmpty()) copy.rows += QStringLiteral("WHERE ") + where.join(QStringLiteral(" AND "));
    copy.rows += QStringLiteral(" ORDER BY s.登记号");
    copy.values = c.values;
    return copy;
}

Status fill(const QSqlDatabase& db, const QString& workingPath, const RegionExportRequest& request,
            const exchange::Progress& progress)
{
    // The file is still temporary: a failure throws it away, so it needs no journal
    // on disk; it is flushed once when complete.
    Db::exec(db, QStringLiteral("PRAGMA journal_mode=MEMORY"));
    Db::exec(db, QStringLiteral("PRAGMA synchronous=OFF"));
    exchange::AttachedDatabase source(db, workingPath, QStringLiteral("src"));
    if (!source.ok()) return source.error();
    const QList<ExportStep> steps = exportSteps(request.allKinds);
    {
        Db::TransactionGuard transaction(db);
        if (!transaction.started()) return transaction.beginError(kSource);
        for (int i = 0; i < steps.size(); ++i) {
            if (progress && !progress(i, int(steps.size()))) return failure(QStringLiteral("导出已中止"));
            const auto copied = exchange::copyTable(db, stepCopy(steps.at(i), request));
            if (!copied) return copied.error();
        }
        Db::Error error;
        if (!transaction.commit(&error)) return error;
    }
    if (const Status stored = KCUTIL::Store_Province_Code(db, request.provinceCode); !stored)
        return stored.error();
    if (progress) progress(int(steps.size()), int(steps.size()));
    return {};
}

} // namespace

QList<ExportStep> exportSteps(bool allKinds)
{
    const QString overlay = QStringLiteral("压覆");
    QList<ExportStep> steps{{QStringLiteral("登记"), overlay}, {overlay, overlay}};
    if (allKinds)
        for (const char* kind : {"占用", "停办", "查明"})
            steps.append({QString::fromUtf8(kind), QString::fromUtf8(kind)});
    for (const QString& table : detailTables().mid(1))
        steps.append({table, overlay});
    if (allKinds)
        for (const char* kind : {"查明", "停办", "占用"})
            for (const QString& table : detailTables())
                steps.append({table, QString::fromUtf8(kind)});
    return steps;
}

Status exportRegion(const QSqlDatabase& working, const RegionExportRequest& request,
                    const exchange::Progress& progress)
{
    const QString workingPath = working.databaseName();
    if (const Status refused =
            exchange::refuseDatabaseOrTemplate(request.target, workingPath, request.templatePath, kSource);
        !refused)
        return refused;

    // No region and every kind: the working database as it stands.
    if (request.prefix.isEmpty() && request.allKinds) {
        if (progress) progress(0, 1);
        const Status copied = exchange::backupDatabase(working, request.target);
        if (copied && progress) progress(1, 1);
        return copied;
    }

    return exchange::fillFromTemplate(
        request.templatePath, request.target, kSource,
        [&](const QSqlDatabase& db) { return fill(db, workingPath, request, progress); });
}

} // namespace regions
