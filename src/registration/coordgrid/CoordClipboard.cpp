#include "registration/coordgrid/CoordClipboard.h"

#include "registration/coordgrid/CoordGridModel.h"
#include "platform/TextNumber.h"

namespace CoordClipboard {

namespace {
const QLatin1String kCrLf("\r\n");

// Reads the number between the first "=" and the first ";" of `line` and cuts the
// line after that ";". False when the ";" does not stand after the "=".
bool readHeaderPart(QString& line, double& value)
{
    const int eq = int(line.indexOf(QLatin1Char('=')));
    const int sc = int(line.indexOf(QLatin1Char(';')));
    if (eq < 0 || sc <= eq) return false;
    value = TextNumber::leading(QStringView(line).mid(eq + 1, sc - eq - 1));
    line = line.mid(sc + 1);
    return true;
}
} // namespace

QString trimBlanks(const QString& text)
{
    int b = 0;
    int e = int(text.size());
    while (b < e && text[b] == QLatin1Char(' '))
        ++b;
    while (e > b && text[e - 1] == QLatin1Char(' '))
        --e;
    return text.mid(b, e - b);
}

QString Coord_Block_Text(const CoordGridModel& grid, int c1, int c2, int r1, int r2)
{
    QString out = QStringLiteral("STACOL=%1;ENDCOL=%2;ROWS=%3").arg(c1).arg(c2).arg(r2 - r1 + 1) + kCrLf;
    for (int r = r1; r <= r2; ++r) {
        for (int c = c1; c <= c2; ++c) {
            const QString t = grid.TextMatrix(r, c);
            out += t.isEmpty() ? QStringLiteral(" ") : t;
            if (c < c2) out += QLatin1Char(',');
        }
        out += kCrLf;
    }
    return out;
}

bool takeLine(QString& text, QString& line)
{
    const int lf = int(text.indexOf(QLatin1Char('\n')));
    if (lf < 0) return false;
    line = text.left(lf);
    text = text.mid(lf + 1);
    return true;
}

void fillRow(CoordGridModel& grid, int row, int col, QString line)
{
    if (col < 1) col = 1;
    for (;;) {
        if (col >= grid.Cols) return;
        const int comma = int(line.indexOf(QLatin1Char(',')));
        if (comma < 0) break;
        grid.setTextMatrix(row, col, trimBlanks(line.left(comma)));
        ++col;
        line = line.mid(comma + 1);
    }
    const int cr = int(line.indexOf(QLatin1Char('\r')));
    grid.setTextMatrix(row, col, trimBlanks(cr < 0 ? line : line.left(cr)));
}

Block parseBlock(const QString& clipboardText, int cols)
{
    Block b;
    QString t = trimBlanks(clipboardText);
    if (t.isEmpty()) return b;
    if (!t.endsWith(QLatin1Char('\n')) && !t.endsWith(QLatin1Char('\r'))) t += QLatin1Char('\n');
    if (!t.contains(QLatin1Char('\n'))) {
        b.kind = Block::Kind::Ignored;
        return b;
    }
    QString first = t.left(t.indexOf(QLatin1Char('\n')));
    if (first.contains(QLatin1String("STACOL="))) {
        t = t.mid(first.size() + 1);
        if (!readHeaderPart(first, b.startCol) || !readHeaderPart(first, b.endCol)) {
            b.kind = Block::Kind::BadHeader;
            return b;
        }
        b.kind = (b.startCol == 1 && b.endCol == cols - 1) ? Block::Kind::Rows : Block::Kind::Columns;
    } else {
        b.kind = Block::Kind::Rows;
    }
    b.body = t;
    return b;
}

} // namespace CoordClipboard
