#include "KCUTIL_Province.h"

namespace KCUTIL {

Status Store_Province_Code(const QSqlDatabase& db, int code)
{
    const QString source = QStringLiteral("KCUTIL.Write_Province_Code");
    Db::TransactionGuard transaction(db);
    if (!transaction.started()) return transaction.beginError(source);
    Db::Error error;
    const QVariant rows = Db::scalar(db, QStringLiteral("select count(*) from 参数表"), {}, &error);
    bool done = rows.isValid();
    if (done) {
        done = rows.toInt() == 0
                   ? bool(Db::exec(db, QStringLiteral("insert into 参数表 (省代码) values (?)"), {code}, &error))
                   : bool(Db::exec(db,
                                   QStringLiteral("update 参数表 set 省代码=? where rowid=(select min(rowid) "
                                                  "from 参数表)"),
                                   {code}, &error));
    }
    if (done && transaction.commit(&error)) return Status::success();
    if (error.source.isEmpty()) error.source = source;
    return error;
}

} // namespace KCUTIL
