#include "ExchangeText.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace tabxfer {

bool isAttributeSafe(const QString& text)
{
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = text.at(i).unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(text.at(i + 1).unicode())) {
            ++i;
            continue;
        }
        if (u == 0x9 || u == 0xA || !isPlainContentUnit(u)) return false;
    }
    return true;
}

QString realText(double value)
{
    if (std::isinf(value)) return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (value == 0 && std::signbit(value)) return QStringLiteral("-0");
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

bool parseReal(const QString& text, double* value)
{
    if (text == QLatin1String("INF")) {
        *value = std::numeric_limits<double>::infinity();
        return true;
    }
    if (text == QLatin1String("-INF")) {
        *value = -std::numeric_limits<double>::infinity();
        return true;
    }
    static const QRegularExpression plain(
        QStringLiteral("^-?(?:[0-9]+(?:\\.[0-9]*)?|\\.[0-9]+)(?:[eE][+-]?[0-9]+)?$"));
    if (!plain.match(text).hasMatch()) return false;
    bool ok = false;
    const double v = QLocale::c().toDouble(text, &ok);
    if (!ok || std::isnan(v) || std::isinf(v)) return false;
    *value = v;
    return true;
}

bool parseInteger(const QString& text, qlonglong* value)
{
    static const QRegularExpression digits(QStringLiteral("^-?[0-9]+$"));
    if (!digits.match(text).hasMatch()) return false;
    bool ok = false;
    const qlonglong v = text.toLongLong(&ok);
    if (!ok) return false;
    *value = v;
    return true;
}

namespace {
constexpr int InvalidFile = 2;
}

Db::Error failure(const QString& description)
{
    return Db::Error{1, QStringLiteral("tabxfer"), description};
}

Db::Error invalidFile(const QString& description)
{
    return Db::Error{InvalidFile, QStringLiteral("tabxfer"), description};
}

bool isInvalidFile(const Db::Error& error)
{
    return error.number == InvalidFile && error.source == QLatin1String("tabxfer");
}

} // namespace tabxfer
