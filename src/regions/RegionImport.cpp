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

// A registration the import file brings that the working database already holds
// outside the region's cleared rows: the import refuses it and the error names the
// number, so that the clerk can find it. Other refusals are answered as they come
// (exchange::keyClash has named a number that repeats in the import file).
Db::Error refusal(const QSqlDatabase& db, const exchange::TableCopy& copy, const QString& where,
                  const QString& prefix, bool allKinds, const Db::Error& refused)
{
    constexpr int constraint = 19; // SQLITE_CONSTRAINT, the primary code of every key refusal
    if ((refused.number & 0xff) != constraint) return refused;
    const QString table = Db::quotedName(copy.table);
    const QString clash = QStringLiteral("s.登记号 IN (SELECT 登记号 FROM main.") + table + QLatin1Char(')');
    const QString number =
        Db::scalar(db,
                   QStringLiteral("SELECT s.登记号 FROM src.") + table + QStringLiteral(" AS s ") +
                       copy.rows +
                       (where.isEmpty() ? QStringLiteral("WHERE ") : where + QStringLiteral(" AND ")) +
                       clash + QStringLiteral(" ORDER BY s.rowid LIMIT 1"),
                   copy.values)
            .toString();
    if (number.isEmpty()) return refused;
    // The registration it clashes with: in the kind table being copied, or, for a
    // detail table, in a kind table row that this import did not bring.
    const bool kindStep = kindTables(true).contains(copy.table);
    for (const QString& kind : kindStep ? QStringList{copy.table} : kindTables(true)) {
        QString sql = QStringLiteral("SELECT m.行政区代码 FROM main.") + Db::quotedName(kind) +
                      QStringLiteral(" AS m WHERE m.登记号 = ?");
        QVariantList values{number};
        if (!kindStep && kindTables(allKinds).contains(kind)) {
            const RegionCondition c = regionCondition(QStringLiteral("s.行政区代码"), prefix);
            sql += QStringLiteral(" AND NOT EXISTS (SELECT 1 FROM src.") + Db::quotedName(kind) +
                   QStringLiteral(" AS s WHERE s.登记号 = m.登记号") +
                   (c.isEmpty() ? QString() : QStringLiteral(" AND ") + c.sql) + QLatin1Char(')');
            values << c.values;
        }
        const QVariant code = Db::scalar(db, sql, values);
        if (code.isValid())
            return Db::Error{refused.number, refused.source,
                             QStringLiteral("当前数据库中已有登记号为“%1”的登记（行政区代码为%2），"
                                            "与导入文件中的登记重复。导入已取消，当前数据库没有改动。")
                                 .arg(number, code.toString())};
    }
    return Db::Error{refused.number, refused.source,
                     QStringLiteral("当前数据库的“%1”表中已有登记号为“%2”的数据，与导入文件中的登记重复。"
                                    "导入已取消，当前数据库没有改动。")
                         .arg(copy.table, number)};
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
            copy.rows = QStringLiteral("JOIN src.") + Db::quotedName(step.kind) +
                        QStringLiteral(" AS k ON k.登记号 = s.登记号 ");
        const QString where = c.isEmpty() ? QString() : QStringLiteral("WHERE ") + c.sql;
        copy.values = c.values;
        exchange::TableCopy ordered = copy;
        ordered.rows += where + QStringLiteral(" ORDER BY s.rowid");
        const auto copied = exchange::copyTable(db, ordered);
        if (!copied)
            return refusal(db, copy, where, prefix, allKinds,
                           exchange::keyClash(db, ordered, copied.error()));
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
    if (!transaction.started()) return transaction.beginError(kSource);
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
