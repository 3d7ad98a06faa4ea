#include "CoordText.h"

#include "Projection.h"
#include "platform/TextNumber.h"
#include "shell/myvbs.h"

#include <cmath>
#include <optional>

namespace KCUTIL {

namespace {

const QString Comma = QStringLiteral(",");
const QString Star = QStringLiteral("*");
const QString CrLf = QStringLiteral("\r\n");

QStringView leftTrimmed(QStringView v)
{
    qsizetype i = 0;
    while (i < v.size() && v[i].isSpace())
        ++i;
    return v.mid(i);
}

void noteComma(const QString& cell, int row, int column, QList<CoordFault>& faults)
{
    if (cell.contains(QLatin1Char(',')))
        faults.append(CoordFault{CoordFault::Kind::Comma, row, column, 0.0, 0.0});
}

} // namespace

bool CoordTextResult::hasComma() const
{
    for (const CoordFault& f : faults)
        if (f.kind == CoordFault::Kind::Comma) return true;
    return false;
}

CoordTextResult Coord_Grid_To_Str(CoordGrid& grid)
{
    CoordTextResult result;
    const int rows = grid.rowCount();
    if (rows < 3) {
        result.text = grid.keptText();
        return result;
    }

    std::optional<Coord_Extent> extent;
    int ringCount = 0;
    int cornerCount = 0;
    QString ring;
    QString& out = result.text;

    for (int r = 1; r <= rows - 2; ++r) {
        const QString t1 = grid.cellText(r, 1).trimmed();
        const QString t2 = grid.cellText(r, 2).trimmed();
        const QString t3 = grid.cellText(r, 3).trimmed();
        if (t1 == Star) {
            const QString t4 = grid.cellText(r, 4).trimmed();
            QString t5 = grid.cellText(r, 5).trimmed();
            for (int c = 2; c <= 5; ++c)
                noteComma(grid.cellText(r, c), r, c, result.faults);
            if (t5.isEmpty()) {
                t5 = QStringLiteral("1");
                grid.setCellText(r, 5, t5);
            }
            ring += t2 + Comma + t3 + Comma + t4 + Comma + t5 + Comma;
            ++ringCount;
            out += QString::number(cornerCount) + Comma + ring;
            ring.clear();
            cornerCount = 0;
            continue;
        }

        for (int c = 1; c <= 3; ++c)
            noteComma(grid.cellText(r, c), r, c, result.faults);
        ring += t1 + Comma + t2 + Comma + t3 + Comma;
        ++cornerCount;

        double x = 0.0, y = 0.0;
        if (!Read_Coord_Cell(t2, &x) || !Read_Coord_Cell(t3, &y)) {
            result.faults.append(CoordFault{CoordFault::Kind::NotNumber, r, 2, 0.0, 0.0});
            continue;
        }
        GeoPoint p;
        if (x < 360.0 && y < 360.0) {
            // Geographic cells hold packed degrees-minutes-seconds.
            p = GeoPoint{DMS_Text_To_Degree(t2), DMS_Text_To_Degree(t3)};
        } else if (const auto g = Convert_Coord(x, y)) {
            p = *g;
        } else {
            result.faults.append(CoordFault{CoordFault::Kind::NoZone, r, 2, x, y});
            continue;
        }
        extent = Update_Extent(extent, p.longitude, p.latitude);
        ++result.extentCorners;
    }

    if (grid.cellText(rows - 2, 1).trimmed() != Star) {
        ring += QStringLiteral(",,,,");
        ++ringCount;
        out += QString::number(cornerCount) + Comma + ring;
    }
    out.prepend(QString::number(ringCount) + Comma);
    if (extent) result.extent = *extent;
    return result;
}

CoordTextResult Coord_Grid_To_Str(CoordGrid& grid, int index)
{
    CoordTextResult result = Coord_Grid_To_Str(grid);
    if (index == 0)
        state().Area_Extent = result.extent;
    else if (index == 1)
        state().Calc_Extent = result.extent;
    return result;
}

QString Coord_Str_To_Lines(const QString& stored, bool* damaged)
{
    const QString s = myvbs::Strip_CrLf(stored);
    const QStringView v(s);
    const QChar comma(QLatin1Char(','));
    if (damaged) *damaged = false;
    const auto unreadable = [&] {
        if (damaged) *damaged = !s.trimmed().isEmpty();
        return QString();
    };

    qsizetype pos = s.indexOf(comma);
    if (pos < 0) return unreadable();
    ++pos; // the ring count is skipped: the rings found are what counts

    QString lines;
    lines.reserve(s.size() + s.size() / 4);
    int lineCount = 0;

    // Takes the next field with its comma, leading blanks removed; false when no
    // comma is left.
    auto takeWithComma = [&](QString& to) {
        const qsizetype c = s.indexOf(comma, pos);
        if (c < 0) return false;
        to += leftTrimmed(v.mid(pos, c - pos + 1));
        pos = c + 1;
        return true;
    };

    for (;;) {
        const qsizetype c = s.indexOf(comma, pos);
        if (c < 0) break;
        // A corner count is a positive whole number; anything else is damage.
        double count = 0.0;
        if (!TextNumber::readWhole(v.mid(pos, c - pos), &count) || count < 1.0 ||
            count != std::floor(count) || count > double(s.size()))
            return unreadable();
        const int corners = int(count);
        pos = c + 1;

        for (int i = 0; i < corners; ++i) {
            // A corner named "*" would read back as the end of its ring.
            const qsizetype next = s.indexOf(comma, pos);
            if (next >= 0 && v.mid(pos, next - pos).trimmed() == Star) return unreadable();
            for (int k = 0; k < 3; ++k)
                if (!takeWithComma(lines)) return unreadable();
            lines += CrLf;
            ++lineCount;
        }

        lines += Star + Comma;
        for (int k = 0; k < 3; ++k)
            if (!takeWithComma(lines)) return unreadable();
        const qsizetype end = s.indexOf(comma, pos);
        bool last = false;
        if (end >= 0) {
            lines += v.mid(pos, end - pos).trimmed();
            pos = end + 1;
        } else {
            lines += v.mid(pos).trimmed();
            pos = s.size();
            last = true;
        }
        lines += CrLf;
        ++lineCount;
        if (last) break;
    }
    return QString::number(lineCount) + CrLf + lines;
}

QString Coord_Damaged_Message(int index)
{
    return (index == 0 ? QStringLiteral("矿权坐标") : QStringLiteral("计算坐标")) +
           QStringLiteral("数据已损坏，无法显示！不输入新的坐标时，保存后原数据保持不变。");
}

bool Is_Coord_Cell_Storable(const QString& cellText)
{
    return !cellText.contains(QLatin1Char(','));
}

CoordFault Find_Coord_Comma(const CoordGrid& grid)
{
    for (int r = 1; r <= grid.rowCount() - 2; ++r)
        for (int c = 1; c < CoordGrid::ColumnCount; ++c)
            if (!Is_Coord_Cell_Storable(grid.cellText(r, c)))
                return CoordFault{CoordFault::Kind::Comma, r, c, 0.0, 0.0};
    return CoordFault{CoordFault::Kind::Comma, 0, 0, 0.0, 0.0};
}

QString Coord_Comma_Message(int row)
{
    return QStringLiteral("第") + QString::number(row) + QStringLiteral("行坐标数据不能含有逗号...");
}

} // namespace KCUTIL
