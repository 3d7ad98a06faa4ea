#pragma once

#include "platform/Result.h"

#include <QSqlDatabase>
#include <QString>

// Deletion of every registration of one region from the working database: the
// detail rows of each chosen kind table's registrations of the region, then those
// kind-table rows, all in one transaction. The region is the kind-table row's
// 行政区代码, never the digits of the registration number.
namespace regions {

// The deletion itself, inside the caller's transaction: the detail rows of the
// region's registrations kind by kind, then the kind-table rows. An empty prefix
// takes the whole kind tables; any other prefix must be 2, 4 or 6 digits.
Status Clear_Region_Data(const QSqlDatabase& db, const QString& prefix, bool allKinds);

// Deletes the registrations of `prefix` (Region_Prefix of a valid code: 2, 4 or 6
// digits; anything else is refused, so that no deletion ever takes every region).
// Answers how many registrations (kind-table rows) went.
Result<int> Delete_Region_Data(const QSqlDatabase& db, const QString& prefix, bool allKinds);

} // namespace regions
