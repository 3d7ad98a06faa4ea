#include "registration/record/FieldEditRules.h"

#include "registration/record/RegistrationWriter.h"

#include "platform/TextNumber.h"

namespace FieldEditRules {

namespace {

bool inRange(int index, int first, int last)
{
    return index >= first && index <= last;
}

bool numericBox(Array array, int index)
{
    switch (array) {
    case Array::Kn1Data:
        return inRange(index, 3, 5) || inRange(index, 10, 12) || inRange(index, 16, 18) ||
               inRange(index, 22, 24);
    case Array::Kn2Data:
        return index == 1 || inRange(index, 4, 6) || inRange(index, 12, 14) || inRange(index, 16, 18) ||
               index == 21 || index == 22 || index == 24 || index == 25 || index == 27 ||
               inRange(index, 31, 33) || inRange(index, 35, 37);
    case Array::Kn3Data:
        return inRange(index, 2, 4) || inRange(index, 7, 9) || inRange(index, 14, 16);
    case Array::Kn6Data:
        return inRange(index, 0, 5);
    case Array::None:
        break;
    }
    return false;
}

} // namespace

QString Number_Warning()
{
    return QStringLiteral("请填写数值型数据！");
}

QString Postcode_Warning()
{
    return QStringLiteral("请填写6位数值型数据！");
}

QString Duplicate_Warning(const QString& column)
{
    return QStringLiteral("【") + column + QStringLiteral("】重复，请重新填写！");
}

bool Needs_Number_Warning(Array array, int index, const QString& text)
{
    if (!numericBox(array, index)) return false;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) return false;
    const bool trailingPoint = trimmed.endsWith(QLatin1Char('.')) || trimmed.endsWith(QChar(0xFF0E));
    if (array == Array::Kn2Data && index != 16 && index != 17 && trailingPoint) return false;
    if (array == Array::Kn6Data &&
        (trailingPoint || trimmed.startsWith(QLatin1Char('-')) || trimmed.startsWith(QChar(0xFF0D))))
        return false;
    return !TextNumber::isNumeric(KCUTIL::Plain_Number_Text(trimmed));
}

Advance Advance_Rule(Array array, int index)
{
    switch (array) {
    case Array::Kn1Data:
        if (index == 3 || index == 10 || index == 16 || index == 22) return {4};
        if (index == 4 || index == 5 || index == 11 || index == 12 || index == 17 || index == 18 ||
            index == 23)
            return {2};
        break;
    case Array::Kn2Data:
        if (index == 5 || index == 12 || index == 31 || index == 35) return {4};
        if (index == 13 || index == 14 || index == 32 || index == 33 || index == 36 || index == 37)
            return {2};
        if (index == 4) return {6};
        if (index == 6) return {8};
        if (index == 16) return {9};
        if (index == 17) return {3};
        if (index == 18) return {13, NextBox::EnabledAndVisible};
        if (index == 27) return {23, NextBox::EnabledAndVisible};
        break;
    case Array::Kn3Data:
        if (index == 2 || index == 7 || index == 14) return {4};
        if (index == 3 || index == 4 || index == 8 || index == 9 || index == 15 || index == 16)
            return {2, NextBox::Enabled};
        break;
    case Array::Kn6Data:
    case Array::None:
        break;
    }
    return {};
}

QString New_DJH_Prefix(const QString& regionCode, int year)
{
    return QStringLiteral("4") + regionCode.trimmed().left(6) + QString::number(year).mid(2, 2) +
           QStringLiteral("2");
}

} // namespace FieldEditRules
