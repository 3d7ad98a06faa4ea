#include "registration/coordgrid/CoordGridLoader.h"

#include "registration/coordgrid/CoordGridModel.h"
#include "platform/TextNumber.h"

#include <QStringList>

namespace CoordGridLoader {

namespace {
// Splits off the text before the first comma; `rest` becomes the text after it.
// Without a comma the whole text is the field and `rest` becomes empty.
QString takeField(QString& rest)
{
    const int comma = int(rest.indexOf(QLatin1Char(',')));
    QString field;
    if (comma < 0) {
        field = rest;
        rest.clear();
    } else {
        field = rest.left(comma);
        rest = rest.mid(comma + 1);
    }
    return field.trimmed();
}
} // namespace

QString heading2(bool geographic)
{
    return geographic ? QStringLiteral("经度(起标高)") : QStringLiteral("X(起标高)");
}

QString heading3(bool geographic)
{
    return geographic ? QStringLiteral("纬度(止标高)") : QStringLiteral("Y(止标高)");
}

void setHeadings(CoordGridModel& grid, bool geographic)
{
    grid.setTextMatrix(0, 2, heading2(geographic));
    grid.setTextMatrix(0, 3, heading3(geographic));
}

void Init_Flex(CoordGridModel& grid, bool& geographic, const QString& lines)
{
    grid.setKeptText(QString());
    grid.setRows(1);
    grid.clearRow(0);
    grid.setRows(2);
    grid.setTextMatrix(0, 0, QStringLiteral("序号"));
    grid.setTextMatrix(0, 1, QStringLiteral("拐点号"));
    grid.setTextMatrix(0, 4, QStringLiteral("矿体标识"));
    grid.setTextMatrix(0, 5, QStringLiteral("性质"));
    setHeadings(grid, geographic);
    grid.setCursor(1, 1);
    if (!lines.isEmpty()) Fill_Flex(grid, geographic, lines);
}

void Fill_Flex(CoordGridModel& grid, bool& geographic, const QString& lines)
{
    const int firstLf = int(lines.indexOf(QLatin1Char('\n')));
    if (lines.isEmpty() || firstLf < 0) return;

    // The line count leads; the rows hold no more lines than the text has, so a
    // damaged count cannot make the grid grow without bound.
    const double announced = TextNumber::leading(lines.left(firstLf));
    QStringList body = lines.mid(firstLf + 1).split(QLatin1Char('\n'));
    body.removeLast(); // the text after the last line feed is not a line

    QList<QStringList> rows;
    for (const QString& raw : body) {
        QString rest = raw;
        if (rest.trimmed().isEmpty()) break;
        QStringList cells(CoordGridModel::Cols);
        cells[1] = takeField(rest);
        if (cells[1] == QLatin1String("*")) {
            cells[2] = takeField(rest);
            cells[3] = takeField(rest);
            cells[4] = takeField(rest);
            cells[5] = rest.trimmed();
        } else {
            if (!rest.contains(QLatin1Char(','))) break;
            cells[2] = takeField(rest);
            cells[3] = takeField(rest);
        }
        rows.append(cells);
    }

    int dataRows = int(rows.size());
    if (announced > dataRows) dataRows = int(qMin<double>(announced, body.size()));
    grid.setRows(dataRows + 2);
    for (int r = 1; r <= int(rows.size()); ++r)
        for (int c = 1; c < CoordGridModel::Cols; ++c)
            grid.setTextMatrix(r, c, rows[r - 1][c]);
    grid.renumber();

    const double x1 = TextNumber::leading(grid.TextMatrix(1, 2));
    const double y1 = TextNumber::leading(grid.TextMatrix(1, 3));
    geographic = x1 < 1000 && y1 < 1000;
    setHeadings(grid, geographic);
}

} // namespace CoordGridLoader
