#pragma once

#include "platform/Result.h"

#include <QSqlDatabase>

namespace KCUTIL {

// Stores `code` as 参数表.省代码 of `db` (the working database or one an export makes)
// in one transaction, adding the row when the table is empty.
Status Store_Province_Code(const QSqlDatabase& db, int code);

} // namespace KCUTIL
