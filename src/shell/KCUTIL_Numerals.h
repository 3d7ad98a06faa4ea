#pragma once

#include <QString>

// Chinese numerals of the printed form.
namespace KCUTIL {

// 1 to 99 as Chinese numerals (15 十五, 20 二十, 23 二十三); the empty text for 0,
// negative numbers and numbers of three or more digits.
QString Num_To_Chinese(int number);

// Every digit as a Chinese digit, 0 as "○" (2008 二○○八).
QString Year_To_Chinese(int year);

} // namespace KCUTIL
