#include "TextNumber.h"

#include <cmath>
#include <limits>

namespace TextNumber {

namespace {
bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QChar(0x3000);
}
bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}
} // namespace

double leading(QStringView text)
{
    QString digits;
    digits.reserve(text.size());
    int i = 0;
    const int n = int(text.size());
    auto skipBlanks = [&] {
        while (i < n && isBlank(text[i]))
            ++i;
    };
    skipBlanks();
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        digits += text[i];
        ++i;
    }
    bool seenDigit = false;
    bool seenPoint = false;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (isBlank(c)) continue;
        if (isDigit(c)) {
            digits += c;
            seenDigit = true;
        } else if (c == QLatin1Char('.') && !seenPoint) {
            digits += c;
            seenPoint = true;
        } else {
            break;
        }
    }
    // An exponent counts only when digits follow it.
    if (seenDigit && i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        int j = i + 1;
        QString exp = QStringLiteral("e");
        if (j < n && (text[j] == QLatin1Char('-') || text[j] == QLatin1Char('+'))) exp += text[j++];
        bool expDigit = false;
        while (j < n && isDigit(text[j])) {
            exp += text[j++];
            expDigit = true;
        }
        if (expDigit) digits += exp;
    }
    if (!seenDigit) return 0.0;
    bool ok = false;
    const double v = digits.toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0.0;
}

int roundToInt32(double value)
{
    if (std::isnan(value)) return 0;
    const double r = std::nearbyint(value); // default rounding mode: halves to even
    if (r >= double(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    if (r <= double(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    return int(r);
}

int roundToInt16(double value, bool* ok)
{
    const double r = std::isnan(value) ? 0.0 : std::nearbyint(value);
    const bool inRange = r >= -32768.0 && r <= 32767.0;
    if (ok) *ok = inRange;
    if (!inRange) return r < 0 ? -32768 : 32767;
    return int(r);
}

namespace {

// Digits alone, as most stored numbers are: read without the general parser.
bool plainDigits(QStringView text, double* value)
{
    if (text.isEmpty() || text.size() > 15) return false;
    qint64 x = 0;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
        x = x * 10 + (c.unicode() - '0');
    }
    *value = double(x);
    return true;
}

// A letter that no number has (an exponent's "e" aside), as in the code "111b":
// the text is no number, told without the general parser.
bool plainlyNoNumber(QStringView text)
{
    for (QChar c : text) {
        const char16_t u = c.unicode();
        const bool letter = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z');
        if (letter && u != 'e' && u != 'E') return true;
    }
    return false;
}

} // namespace

bool readWhole(QStringView text, double* value)
{
    if (plainDigits(text, value)) return true;
    if (plainlyNoNumber(text)) return false;
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v)) return false;
    *value = v;
    return true;
}

bool isNumeric(QStringView text)
{
    const QString t = text.trimmed().toString();
    if (t.isEmpty()) return false;
    bool ok = false;
    t.toDouble(&ok);
    return ok;
}

} // namespace TextNumber
