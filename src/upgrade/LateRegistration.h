#pragma once

#include "platform/Result.h"

#include <QSqlDatabase>
#include <QString>

// A late-registration (补办) database serves as a reference for the deductions of the
// database being upgraded: the kind tables of both are gathered into scratch copies
// (查明临时表 ...) of the connection, which live only until deleteTempTable and never
// reach the file. A registration present in both databases is there twice.
namespace LateRegistration {

Status doConnectionRepairBusiness(const QSqlDatabase& db, const QString& repairAlias);
Status deleteTempTable(const QSqlDatabase& db);

} // namespace LateRegistration
