#include "RegionDelete.h"

#include "RegionSelection.h"
#include "exchange/TableCopier.h"

namespace regions {

namespace {
const QString kSource = QStringLiteral("DBDelete");
}

Result<int> Delete_Region_Data(const QSqlDatabase& db, const QString& prefix, bool allKinds)
{
    if (!isRegionCode(prefix) || Region_Prefix(prefix) != prefix)
        return Db::Error{-1, kSource, badCodeMessage()};
    Db::TransactionGuard transaction(db);
    if (!transaction.started()) return Db::Error{-1, kSource, QStringLiteral("无法开始事务")};
    Db::Error error;
    // Every detail delete runs before the kind-table delete it finds its rows by.
    for (const QString& kind : kindTables(allKinds)) {
        const RegionCondition c = regionCondition(QStringLiteral("行政区代码"), prefix);
        for (const QString& table : detailTables())
            if (!Db::exec(db,
                          QStringLiteral("DELETE FROM ") + exchange::quoted(table) +
                              QStringLiteral(" WHERE 登记号 IN (SELECT 登记号 FROM ") +
                              exchange::quoted(kind) + QStringLiteral(" WHERE ") + c.sql +
                              QStringLiteral(")"),
                          c.values, &error))
                return error;
    }
    int registrations = 0;
    for (const QString& kind : kindTables(allKinds)) {
        const RegionCondition c = regionCondition(QStringLiteral("行政区代码"), prefix);
        auto q = Db::exec(
            db, QStringLiteral("DELETE FROM ") + exchange::quoted(kind) + QStringLiteral(" WHERE ") + c.sql,
            c.values, &error);
        if (!q) return error;
        registrations += q->numRowsAffected();
    }
    if (!transaction.commit(&error)) return error;
    return registrations;
}

} // namespace regions
