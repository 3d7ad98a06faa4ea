#include "KCUTIL_Province.h"

namespace KCUTIL {

namespace {
const QString Source = QStringLiteral("KCUTIL.Write_Province_Code");
} // namespace

Status Store_Province_Code(const QSqlDatabase& db, int code)
{
    Db::TransactionGuard transaction(db);
    if (!transaction.started()) return transaction.beginError(Source);
    Db::Error error;
    const QVariant rows = Db::scalar(db, QStringLiteral("select count(*) from 参数表"), {}, &error);
    const QString sql = rows.toInt() == 0
                            ? QStringLiteral("insert into 参数表 (省代码) values (?)")
                            : QStringLiteral("update 参数表 set 省代码=? where rowid=(select min(rowid) from 参数表)");
    if (rows.isValid() && Db::exec(db, sql, {code}, &error) && transaction.commit(&error)) return Status::success();
    if (error.source.isEmpty()) error.source = Source;
    return error;
}

} // namespace KCUTIL
