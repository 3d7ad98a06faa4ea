#pragma once

#include "platform/Database.h"

#include <QSqlDatabase>

namespace KCUTIL {

// Makes 参数表.省代码 of another registration database the installation's
// ProvinceCode (adding the row when the table is empty). A failure shows the
// generic error box unless the caller passes `error`; the result is then false.
bool Write_Province_Code(const QSqlDatabase& db, Db::Error* error = nullptr);

// Stores `code` as 参数表.省代码 of `db` in one transaction, adding the row when the
// table is empty. Reports nothing itself.
bool Store_Province_Code(const QSqlDatabase& db, int code, Db::Error* error);

} // namespace KCUTIL
