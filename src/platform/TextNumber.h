#pragma once

#include <QString>
#include <QStringView>

// Numbers read out of texts the way the program has always read them: the longest
// leading part of the text that reads as a decimal number, blanks skipped, 0 when
// the text does not begin with a number ("12abc" is 12, "V2" is 0, " 1.5 " is 1.5).
namespace TextNumber {

double leading(QStringView text);

// Whole number by banker's rounding (halves to the even neighbour), clamped to the
// range of a 32-bit integer.
int roundToInt32(double value);
// The same clamped to a 16-bit integer; `ok` is false when the value lies outside.
int roundToInt16(double value, bool* ok = nullptr);

// True when the whole text (blanks around it allowed) reads as a number.
bool isNumeric(QStringView text);

// The number that the whole text (blanks around it allowed) reads as; false for
// anything else, an infinite or undefined value included.
bool readWhole(QStringView text, double* value);

} // namespace TextNumber
