#pragma once

#include "registration/form/FormControl.h"

#include <QString>

// The rules the entry window applies while the clerk types into its field boxes:
// which boxes warn about text that is not a number, which pass the focus on when
// they are full, and how the number of a new registration begins.
namespace FieldEditRules {

using Array = FormControl::Array;

// "请填写数值型数据！", the warning about text that is not a number.
QString Number_Warning();
// "请填写6位数值型数据！", the warning about a short postcode on Enter.
QString Postcode_Warning();
// "【" + column + "】重复，请重新填写！", the warning about a number in use.
QString Duplicate_Warning(const QString& column);

// True when box `index` of `array` holds text that draws the numeric warning: the
// box is a numeric one, its trimmed text is not empty and is not a number (digits
// typed in full width count as digits), and it is not a number being typed (a
// trailing "." in most 压覆 boxes and in the elevations, a leading "-" in the
// elevations).
bool Needs_Number_Warning(Array array, int index, const QString& text);

// When the next box must be able to take the focus for the advance.
enum class NextBox { Any, EnabledAndVisible, Enabled };

struct Advance
{
    int length = 0; // 0: the box never passes the focus on by itself
    NextBox next = NextBox::Any;
};
// The length at which box `index` of `array` passes the focus to the next box.
Advance Advance_Rule(Array array, int index);

// "4" + the six characters of the region code + the last two digits of `year` + "2".
QString New_DJH_Prefix(const QString& regionCode, int year);

} // namespace FieldEditRules
