#pragma once

#include "platform/Result.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// The deduction references of the reserve rows (资源储量 rows that name the registration
// they deduct from in 原登记号): the check that every deducted registration exists with
// its mining-area number (and mine number, where its kind has one), and the fill of
// the two deduction columns 扣矿区编号 and 扣登记分类编号 from it.
//
// The deducted registrations are looked up in the kind tables of the connection's own
// database or, with `scratch`, in the copies that also hold the registrations of a
// late-registration database (see LateRegistration).
namespace Deductions {

// The faulty deductions, kind by kind: per distinct pair of registration and deducted
// number one line, the registration number, 20 blanks and the deducted number.
Result<QStringList> checkKcOrigin(const QSqlDatabase& db, bool scratch);

// The error file: two heading lines, then the list.
QStringList errorFileLines(const QStringList& errors);
// Writes the error file (replaced only when complete).
Status WriteTxt(const QString& path, const QStringList& errors);

// Fills the deduction columns of every reserve row whose deducted registration is found;
// rows without a deduction are not touched. Answers how many distinct deducted numbers
// the database holds.
Result<int> fillKc(const QSqlDatabase& db, bool scratch);

} // namespace Deductions
