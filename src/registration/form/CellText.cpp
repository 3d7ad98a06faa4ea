#include "registration/form/CellText.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace CellText {

QStringList wrap(const QString& text, int width, const std::function<int(const QString&)>& advance)
{
    // Item views hand a cell's line feeds over as line separators.
    QString normalized = text;
    normalized.replace(QLatin1String("\r\n"), QLatin1String("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'))
        .replace(QChar::LineSeparator, QLatin1Char('\n'))
        .replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    QStringList lines;
    for (const QString& paragraph : normalized.split(QLatin1Char('\n'))) {
        QString line;
        for (const QChar ch : paragraph) {
            const QString next = line + ch;
            if (!line.isEmpty() && advance(next) > width) {
                lines.append(line);
                line = QString(ch);
            } else {
                line = next;
            }
        }
        lines.append(line);
    }
    return lines;
}

void draw(QPainter& painter, const QRect& rect, const QString& text, int alignment)
{
    if (text.isEmpty()) return;
    const QFontMetrics fm(painter.font());
    const QStringList lines =
        wrap(text, rect.width(), [&fm](const QString& s) { return fm.horizontalAdvance(s); });
    const int n = int(lines.size());
    const double pitch = std::min<double>(fm.lineSpacing(), double(rect.height()) / n);
    double top = rect.top();
    if (alignment & Qt::AlignVCenter)
        top += (rect.height() - pitch * n) / 2.0;
    else if (alignment & Qt::AlignBottom)
        top += rect.height() - pitch * n;
    const int horizontal = alignment & Qt::AlignHorizontal_Mask;
    for (int i = 0; i < n; ++i) {
        const QRectF line(rect.left(), top + i * pitch, rect.width(), pitch);
        painter.drawText(line, horizontal | Qt::AlignVCenter, lines[i]);
    }
}

} // namespace CellText
