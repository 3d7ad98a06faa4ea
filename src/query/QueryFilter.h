#pragma once

#include "registration/navigation/RegistrationFilter.h"

#include <QString>

#include <array>

// The query dialog's rules without the dialog: the eight boxes' texts are checked
// and turned into the registration-list filter, and the texts of the last accepted
// query are remembered for the program's run.
namespace query {

// The boxes of the dialog, by their index in the box array.
enum Box {
    YearBox = 0,        // 登记年度, 4 digits
    HolderBox = 1,      // part of 矿业权人
    AreaNameBox = 2,    // part of 矿区名称
    ProjectNameBox = 3, // part of 建设项目名称
    RegionBox = 4,      // leading digits of 行政区代码
    AreaNumberBox = 5,  // part of 矿区编号
    MineralBox = 6,     // 矿产代码
    NumberBox = 7,      // part of 登记号
    BoxCount = 8
};
using QueryTexts = std::array<QString, BoxCount>;

// The refusals of the checks.
inline const QString YearRefusal = QStringLiteral("请填写4位数值！");
inline const QString NumberRefusal = QStringLiteral("请填写数字！");
inline const QString RegionRefusal = QStringLiteral("请填写数值型代码！");

// What 确定 makes of the boxes: the filter, or the first refused box and its message.
struct QueryOutcome
{
    RegistrationFilter filter;
    int refusedBox = -1;
    QString message;

    bool accepted() const { return refusedBox < 0; }
};

// Checks the boxes in the dialog's order (year, registration number, region) and
// builds the filter from the trimmed texts; an empty box adds no condition.
QueryOutcome Build_Query_Filter(const QueryTexts& texts);

// The texts of the last accepted query (empty until one was accepted), and
// remembering them.
QueryTexts Remembered_Query_Texts();
void Remember_Query_Texts(const QueryTexts& texts);

// True when `text` is one or more of the digits 0 to 9 and nothing else.
bool Is_Digits(const QString& text);

} // namespace query
