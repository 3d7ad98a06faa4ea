#include "KCUTIL_Dates.h"

#include "platform/TextNumber.h"

#include <QDate>

namespace KCUTIL {

namespace {

bool allDigits(const QString& s)
{
    if (s.isEmpty()) return false;
    for (const QChar c : s)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    return true;
}

// A whole number written in digits, blanks around it allowed; -1 otherwise.
int wholeNumber(const QString& s)
{
    const QString t = s.trimmed();
    if (!allDigits(t) || t.size() > 4) return -1;
    return t.toInt();
}

bool isCalendarDate(const QString& year, const QString& month, const QString& day)
{
    const int y = wholeNumber(year);
    const int m = wholeNumber(month);
    const int d = wholeNumber(day);
    if (y < 100 || m < 0 || d < 0) return false;
    return QDate(y, m, d).isValid();
}

} // namespace

int Is_Date_Text(const QString& year, const QString& month, const QString& day)
{
    if (year.trimmed().isEmpty() && month.trimmed().isEmpty() && day.trimmed().isEmpty()) return 0;
    if (year.size() != 4) return 1;
    if (!month.isEmpty()) {
        const double m = TextNumber::leading(month);
        if (m < 1 || m > 12) return 2;
    }
    if (!day.isEmpty() && !isCalendarDate(year, month, day)) return 3;
    return 0;
}

QString Date_To_Chinese(const QString& year, const QString& month, const QString& day)
{
    const QString y = year.trimmed();
    const QString m = month.trimmed();
    const QString d = day.trimmed();
    if (y.isEmpty()) return QString();
    if (!allDigits(y) || (!m.isEmpty() && !allDigits(m)) || (!d.isEmpty() && !allDigits(d))) return QString();
    QString text = y + QStringLiteral("年");
    if (!m.isEmpty()) text += m + QStringLiteral("月");
    if (!d.isEmpty()) text += d + QStringLiteral("日");
    return text;
}

QString Get_Date_Part(const QString& dateText, const QString& marker)
{
    if (dateText.isEmpty() || marker.isEmpty() || !dateText.contains(marker)) return QString();
    const qsizetype pYear = dateText.indexOf(QStringLiteral("年"));
    const qsizetype pMonth = dateText.indexOf(QStringLiteral("月"));
    const qsizetype pDay = dateText.indexOf(QStringLiteral("日"));
    auto between = [&](qsizetype from, qsizetype to) {
        // `from` is the position of the opening marker, -1 when there is none.
        const qsizetype start = from + 1;
        return to > start ? dateText.mid(start, to - start) : QString();
    };
    if (marker == QStringLiteral("年")) return dateText.left(pYear);
    if (marker == QStringLiteral("月")) return between(pYear, pMonth);
    if (marker == QStringLiteral("日")) return between(pMonth, pDay);
    return QString();
}

} // namespace KCUTIL
