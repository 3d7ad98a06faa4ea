#include "myvbs.h"

#include "ProgramState.h"
#include "platform/TextNumber.h"

#include <QDate>
#include <QFileInfo>
#include <QRegularExpression>

#include <cmath>

namespace myvbs {

bool FileExist(const QString& path)
{
    // Asked of the file's metadata only: the file may be a database this program has
    // open, under this name or another, and closing a descriptor of it would let go
    // SQLite's locks on it.
    if (path.isEmpty()) return false;
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

int Count_Set_Flags()
{
    int n = 0;
    for (int i = 1; i <= 5; ++i)
        if (state().Form_Opened[i]) ++n;
    return n - 1;
}

int LenA(const QString& text)
{
    int n = 0;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ++i; // one character beyond the basic plane: 4 bytes in GB18030
            n += 4;
        } else {
            n += c.unicode() < 0x80 ? 1 : 2;
        }
    }
    return n;
}

double DMS_To_Degree(const QString& text)
{
    QString s = text;
    if (s.size() >= 2 && s.at(1) == QLatin1Char('.'))
        s.prepend(QStringLiteral("  "));
    else if (s.size() >= 3 && s.at(2) == QLatin1Char('.'))
        s.prepend(QLatin1Char(' '));
    const double d = TextNumber::leading(QStringView(s).left(3));
    const QString mins = (s + QStringLiteral("00")).mid(4, 2);
    const QString secs = (s + QStringLiteral("0000")).mid(6, 2);
    const double m = TextNumber::leading(mins);
    const double c = std::trunc(TextNumber::leading(secs));
    const double v = d + m / 60.0 + c / 3600.0;
    return std::round(v * 1e12) / 1e12;
}

QString Strip_CrLf(const QString& text)
{
    QString r = text;
    r.remove(QLatin1Char('\r'));
    r.remove(QLatin1Char('\n'));
    return r;
}

bool Is_Valid_Date(const QString& text)
{
    return Valid_Date(text).isValid();
}

QDate Valid_Date(const QString& text)
{
    static const QRegularExpression re(
        QStringLiteral("^\\s*(\\d{4})\\s*(?:[-/.年])\\s*(\\d{1,2})\\s*(?:[-/.月])\\s*(\\d{1,2})\\s*日?\\s*$"));
    const auto m = re.match(text);
    if (!m.hasMatch()) return QDate();
    const QDate d(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (!d.isValid() || d < QDate(1900, 1, 1) || d > QDate(4000, 1, 1)) return QDate();
    return d;
}

} // namespace myvbs
