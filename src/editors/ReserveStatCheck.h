#pragma once

#include "HandOver.h"
#include "ReserveEditing.h"
#include "platform/Result.h"

#include <QSqlDatabase>
#include <QString>

namespace editors {

// The comparison of an ore row's reserve figures with the retained reserves
// (ZYCLLB 19001) of the reserve-statistics database: every filled group of the
// reserve editor must have an identical row in KCL_ZYCL for the registration's
// mining area, mine class and year and the ore row's key.
namespace ReserveStatCheck {

// True when every filled group is found (also when no group is filled); false when
// a group is not found, no statistics database is configured, the number is not
// 13 characters long, or the registration has no mining area. An error when the
// configured file is missing or cannot be read: the statistics database is opened
// read-only on a connection of its own for the one check, never created.
Result<bool> Check_Stat_Reserves(const QSqlDatabase& db, const QString& tjPath, const QString& tjName,
                                 const HandOver& handOver, const ReserveEditing::Boxes& boxes);

} // namespace ReserveStatCheck

} // namespace editors
