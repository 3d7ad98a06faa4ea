#pragma once

#include <QString>

// The filter of the registration list as the query dialog sets it: one field per
// box of the dialog, each the box's text with surrounding blanks removed. An empty
// field adds no condition. RegistrationFilter (registration/navigation) renders it
// as SQL.
struct QueryFilter
{
    QString year;        // 登记年度: 4 digits; characters 8-9 of 登记号 hold its last two
    QString number;      // part of 登记号
    QString holder;      // part of 矿业权人
    QString areaName;    // part of 矿区名称
    QString projectName; // part of 建设项目名称
    QString regionCode;  // leading digits of 行政区代码
    QString areaNumber;  // part of 矿区编号
    QString mineralCode; // 矿产代码 of a mineral in 资源储量

    void clear() { *this = QueryFilter(); }
    bool hasMineral() const { return !mineralCode.trimmed().isEmpty(); }
    bool isEmpty() const
    {
        return year.trimmed().isEmpty() && number.trimmed().isEmpty() && holder.trimmed().isEmpty() &&
               areaName.trimmed().isEmpty() && projectName.trimmed().isEmpty() &&
               regionCode.trimmed().isEmpty() && areaNumber.trimmed().isEmpty() && !hasMineral();
    }

    bool operator==(const QueryFilter&) const = default;
};
