#include "KCUTIL_Province.h"

#include "ProgramState.h"
#include "platform/ErrorBox.h"

namespace KCUTIL {

bool Store_Province_Code(const QSqlDatabase& db, int code, Db::Error* error)
{
    Db::TransactionGuard transaction(db);
    const QVariant rows = Db::scalar(db, QStringLiteral("select count(*) from 参数表"), {}, error);
    if (!rows.isValid()) return false;
    const auto done =
        rows.toInt() == 0
            ? Db::exec(db, QStringLiteral("insert into 参数表 (省代码) values (?)"), {code}, error)
            : Db::exec(
                  db,
                  QStringLiteral("update 参数表 set 省代码=? where rowid=(select min(rowid) from 参数表)"),
                  {code}, error);
    return done && transaction.commit(error);
}

bool Write_Province_Code(const QSqlDatabase& db, Db::Error* error)
{
    Db::Error e;
    if (Store_Province_Code(db, state().ProvinceCode, &e)) return true;
    if (e.source.isEmpty()) e.source = QStringLiteral("KCUTIL.Write_Province_Code");
    if (error)
        *error = e;
    else
        ErrorBox::show(e);
    return false;
}

} // namespace KCUTIL
