#pragma once

#include "CheckRow.h"

#include <QString>
#include <QStringList>

namespace checks {

class CheckErrors;

// The rules of the data check, one row at a time. Each returns the texts of the
// lines the row fails (without the running number); a column that a rule reads
// and the row lacks makes that rule fail, and is recorded in `errors`.
namespace DataCheckRules {

// Names of the listed columns whose text is empty, in the row's column order
// (blanks and 0 count as filled; a listed name that is no column is never missing).
QStringList Missing_Fields(const CheckRow& row, const QStringList& listed);
// The same for the row's columns at `columns` (Listed_Columns), found once for
// every row of a record set.
QList<int> Listed_Columns(const CheckRow& row, const QStringList& listed);
QStringList Missing_Fields(const CheckRow& row, const QList<int>& columns);

// "列名(值),以下数据没有填写：名、名" for the column at `keyColumn`.
QString Missing_Fields_Text(const CheckRow& row, int keyColumn, const QStringList& missing);

// The columns each rule pass reads, besides 登记号, in the order the rules take
// their places.
const QStringList& Region_Code_Columns();
const QStringList& First_Page_Columns();
const QStringList& Reserve_Columns();

// The rules take the places of their columns in the row (CheckRow::placesOf the
// rule's column list above), found once for the rows of a statement.

// The region code lies outside 110000 to 659999 (Null and an empty text pass:
// the required fields report them as missing).
bool Region_Code_Fails(const CheckRow& row, const QList<int>& places, const QString& table,
                       CheckErrors& errors);

// Value rules of a 压覆 row: the messages that follow the quoted 登记号. A range
// rule passes a field that is Null or an empty text, which the required fields
// report as missing.
QStringList First_Page_Rules(const CheckRow& row, const QList<int>& places, const QString& table,
                             CheckErrors& errors);

// Value rules of a 资源储量 row: the line texts that follow the running number.
QStringList Reserve_Rules(const CheckRow& row, const QList<int>& places, const QString& table,
                          CheckErrors& errors);

} // namespace DataCheckRules

} // namespace checks
