#include "LateRegistration.h"

#include "DeductionKinds.h"

#include "platform/Database.h"

namespace LateRegistration {

Status doConnectionRepairBusiness(const QSqlDatabase& db, const QString& repairAlias)
{
    Db::Error error;
    for (const DeductionKind& kind : deductionKinds()) {
        const QString columns = kind.hasMine ? QStringLiteral("登记号, 矿区编号, 所属矿山编号")
                                             : QStringLiteral("登记号, 矿区编号, NULL");
        const QString scratch = QStringLiteral("temp.") + kind.scratch;
        if (!Db::exec(db,
                      QStringLiteral("CREATE TEMP TABLE ") + kind.scratch +
                          QStringLiteral(" (登记号 VARCHAR(13), 矿区编号 VARCHAR(9), 所属矿山编号 INTEGER)"),
                      {}, &error) ||
            !Db::exec(db,
                      QStringLiteral("INSERT INTO ") + scratch +
                          QStringLiteral(" (登记号, 矿区编号, 所属矿山编号) SELECT ") + columns +
                          QStringLiteral(" FROM main.") + kind.table,
                      {}, &error) ||
            !Db::exec(db,
                      QStringLiteral("INSERT INTO ") + scratch +
                          QStringLiteral(" (登记号, 矿区编号, 所属矿山编号) SELECT ") + columns +
                          QStringLiteral(" FROM ") + repairAlias + QLatin1Char('.') + kind.table,
                      {}, &error) ||
            !Db::exec(db,
                      QStringLiteral("CREATE INDEX temp.") + kind.scratch + QStringLiteral("_登记号 ON ") +
                          kind.scratch + QStringLiteral(" (登记号)"),
                      {}, &error))
            return error;
    }
    return Status::success();
}

Status deleteTempTable(const QSqlDatabase& db)
{
    Db::Error error;
    for (const DeductionKind& kind : deductionKinds())
        if (!Db::exec(db, QStringLiteral("DROP TABLE IF EXISTS temp.") + kind.scratch, {}, &error))
            return error;
    return Status::success();
}

} // namespace LateRegistration
