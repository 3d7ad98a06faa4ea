#include "KCUTIL_Province.h"

#include "ProgramState.h"
#include "platform/ErrorBox.h"

namespace KCUTIL {

bool Write_Province_Code(const QSqlDatabase& db, Db::Error* error)
{
    Db::Error e;
    auto fail = [&] {
        if (e.source.isEmpty()) e.source = QStringLiteral("KCUTIL.Write_Province_Code");
        if (error)
            *error = e;
        else
            ErrorBox::show(e);
        return false;
    };
    Db::TransactionGuard transaction(db);
    const QVariant rows = Db::scalar(db, QStringLiteral("select count(*) from 参数表"), {}, &e);
    if (!rows.isValid()) return fail();
    const QVariantList code{state().ProvinceCode};
    const auto done =
        rows.toInt() == 0
            ? Db::exec(db, QStringLiteral("insert into 参数表 (省代码) values (?)"), code, &e)
            : Db::exec(db, QStringLiteral("update 参数表 set 省代码=? where rowid=(select min(rowid) from 参数表)"),
                       code, &e);
    if (!done || !transaction.commit(&e)) return fail();
    return true;
}

} // namespace KCUTIL
