#include "RegionDelete.h"

#include "RegionSelection.h"
#include "exchange/TableCopier.h"

namespace regions {

namespace {

const QString kSource = QStringLiteral("DBDelete");

// The statements' condition on a kind table's own column; "1=1" for every region.
RegionCondition kindCondition(const QString& prefix)
{
    if (prefix.isEmpty()) return {QStringLiteral("1=1"), {}};
    return regionCondition(QStringLiteral("行政区代码"), prefix);
}

bool validPrefix(const QString& prefix)
{
    return isRegionCode(prefix) && Region_Prefix(prefix) == prefix;
}

} // namespace

Status Clear_Region_Data(const QSqlDatabase& db, const QString& prefix, bool allKinds)
{
    if (!prefix.isEmpty() && !validPrefix(prefix)) return Db::Error{-1, kSource, badCodeMessage()};
    const RegionCondition c = kindCondition(prefix);
    Db::Error error;
    // Every detail delete runs before the kind-table delete it finds its rows by.
    for (const QString& kind : kindTables(allKinds))
        for (const QString& table : detailTables())
            if (!Db::exec(db,
                          QStringLiteral("DELETE FROM ") + Db::quotedName(table) +
                              QStringLiteral(" WHERE 登记号 IN (SELECT 登记号 FROM ") + Db::quotedName(kind) +
                              QStringLiteral(" WHERE ") + c.sql + QStringLiteral(")"),
                          c.values, &error))
                return error;
    for (const QString& kind : kindTables(allKinds))
        if (!Db::exec(
                db, QStringLiteral("DELETE FROM ") + Db::quotedName(kind) + QStringLiteral(" WHERE ") + c.sql,
                c.values, &error))
            return error;
    return {};
}

Result<int> Delete_Region_Data(const QSqlDatabase& db, const QString& prefix, bool allKinds)
{
    // Never every region.
    if (!validPrefix(prefix)) return Db::Error{-1, kSource, badCodeMessage()};
    Db::TransactionGuard transaction(db);
    if (!transaction.started()) return transaction.beginError(kSource);
    const RegionCondition c = kindCondition(prefix);
    Db::Error error;
    int registrations = 0;
    for (const QString& kind : kindTables(allKinds)) {
        const QVariant n = Db::scalar(db,
                                      QStringLiteral("SELECT count(*) FROM ") + Db::quotedName(kind) +
                                          QStringLiteral(" WHERE ") + c.sql,
                                      c.values, &error);
        if (error.isSet()) return error;
        registrations += n.toInt();
    }
    if (const Status cleared = Clear_Region_Data(db, prefix, allKinds); !cleared) return cleared.error();
    if (!transaction.commit(&error)) return error;
    return registrations;
}

} // namespace regions
