#pragma once

#include <QString>

// The stored date text of a registration ("2008年5月1日") and the check of the
// three boxes (year, month, day) a date is typed into.
namespace KCUTIL {

// 0 valid or all empty, 1 the year is not four characters, 2 the month is not 1
// to 12, 3 not a calendar date (a day without a month included). A four-character
// year is not itself tested for digits.
int Is_Date_Text(const QString& year, const QString& month, const QString& day);

// year 年 month 月 day 日, an empty month or day part left out, the empty text
// when the year is empty. The text is built from digits only: blanks around a
// part are dropped, and a part holding anything but digits gives the empty text.
QString Date_To_Chinese(const QString& year, const QString& month, const QString& day);

// The part of a stored date text before `marker` "年", between "年" and "月" for
// "月", between "月" and "日" for "日"; empty when the marker is missing.
QString Get_Date_Part(const QString& dateText, const QString& marker);

} // namespace KCUTIL
