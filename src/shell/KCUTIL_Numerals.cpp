#include "KCUTIL_Numerals.h"

namespace KCUTIL {

namespace {
const QString kDigits = QStringLiteral("一二三四五六七八九");

// A digit 1-9 as its Chinese digit; 0 and anything else as the empty text.
QString digit(QChar c)
{
    if (c < QLatin1Char('1') || c > QLatin1Char('9')) return QString();
    return QString(kDigits.at(c.unicode() - '1'));
}
} // namespace

QString Num_To_Chinese(int number)
{
    if (number < 0) return QString();
    const QString s = QString::number(number);
    if (s.size() == 1) return digit(s.at(0));
    if (s.size() == 2) {
        const QString ten = QStringLiteral("十");
        if (s.at(0) == QLatin1Char('1')) return ten + digit(s.at(1));
        return digit(s.at(0)) + ten + digit(s.at(1));
    }
    return QString();
}

QString Year_To_Chinese(int year)
{
    QString result;
    for (const QChar c : QString::number(year)) {
        if (c == QLatin1Char('0'))
            result += QStringLiteral("○");
        else
            result += digit(c);
    }
    return result;
}

} // namespace KCUTIL
