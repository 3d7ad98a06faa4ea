#include "AreaMap.h"

#include "PrintTransform.h"
#include "Projection.h"
#include "platform/TextNumber.h"
#include "platform/Twips.h"
#include "shell/ProgramState.h"
#include "shell/myvbs.h"

#include <QBrush>
#include <QColor>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygon>
#include <QTransform>

#include <climits>
#include <cmath>

namespace myvbs {

namespace {

struct GridStyle
{
    QColor colour;
    Qt::BrushStyle hatch;
    bool italicText;
};

const GridStyle Styles[2] = {
    {QColor(240, 15, 100), Qt::FDiagPattern, false}, // 矿权坐标
    {QColor(133, 84, 192), Qt::BDiagPattern, true},  // 计算坐标
};

constexpr double ClosingTolerance = 0.00001; // degrees
constexpr int MapFontTwips = 200;            // 10 points

int toUnits(double degrees)
{
    return TextNumber::roundToInt32(degrees * 10000.0);
}

// Finds "(a,b)" from `from` on; returns the position after ")" or -1.
qsizetype readPair(const QString& text, qsizetype from, int* a, int* b)
{
    const qsizetype open = text.indexOf(QLatin1Char('('), from);
    if (open < 0) return -1;
    const qsizetype comma = text.indexOf(QLatin1Char(','), open + 1);
    if (comma < 0) return -1;
    const qsizetype close = text.indexOf(QLatin1Char(')'), comma + 1);
    if (close < 0) return -1;
    *a = TextNumber::roundToInt32(TextNumber::leading(QStringView(text).mid(open + 1, comma - open - 1)));
    *b = TextNumber::roundToInt32(TextNumber::leading(QStringView(text).mid(comma + 1, close - comma - 1)));
    return close + 1;
}

// A ring being read: corners in degrees and in map units.
struct OpenRing
{
    QList<QPointF> degrees;
    MapRing ring;
};

bool closeRing(OpenRing& open, int nature, const QString& label, MapGrid& grid)
{
    if (open.degrees.size() < 3) return false;
    const QPointF first = open.degrees.first();
    const QPointF last = open.degrees.last();
    if (std::abs(last.x() - first.x()) > ClosingTolerance ||
        std::abs(last.y() - first.y()) > ClosingTolerance) {
        open.ring.corners.append(open.ring.corners.first());
        open.ring.cornerNumbers.append(open.ring.cornerNumbers.first());
    }
    open.ring.nature = nature;
    open.ring.label = label;
    grid.rings.append(open.ring);
    open = OpenRing{};
    return true;
}

int roundedTwips(double v)
{
    return TextNumber::roundToInt32(v);
}

} // namespace

MapRect& Map_Rect()
{
    static MapRect rect;
    return rect;
}

MapRect Read_Map_Rect(const QString& text, const MapRect& previous)
{
    MapRect r = previous;
    int a = 0, b = 0;
    const qsizetype next = readPair(text, 0, &a, &b);
    if (next < 0) return r;
    r.left = a;
    r.top = b;
    if (readPair(text, next, &a, &b) >= 0) {
        r.right = a;
        r.bottom = b;
    }
    return r;
}

MapGrid Read_Map_Grid(const CoordGrid* grid)
{
    MapGrid result;
    if (!grid || grid->rowCount() <= 2) return result;
    const int lastData = grid->rowCount() - 2;

    double x1 = 0.0, y1 = 0.0;
    if (!KCUTIL::Read_Coord_Cell(grid->cellText(1, 2), &x1) ||
        !KCUTIL::Read_Coord_Cell(grid->cellText(1, 3), &y1))
        return result;
    bool plane = false;
    if (x1 > 360.0 && y1 > 360.0)
        plane = true;
    else if (!(x1 < 360.0 && y1 < 360.0))
        return result;

    MapGrid read;
    OpenRing open;
    bool lastWasEnd = false;
    for (int r = 1; r <= lastData; ++r) {
        const QString c2 = grid->cellText(r, 2);
        const QString c3 = grid->cellText(r, 3);
        if (c2.trimmed().isEmpty() || c3.trimmed().isEmpty()) return result;
        const QString nature = grid->cellText(r, 5).trimmed();
        if (nature == QLatin1String("0") || nature == QLatin1String("1") || nature == QLatin1String("-1")) {
            if (!closeRing(open, nature.toInt(), grid->cellText(r, 4).trimmed(), read)) return result;
            lastWasEnd = true;
            continue;
        }
        lastWasEnd = false;
        double x = 0.0, y = 0.0;
        if (!KCUTIL::Read_Coord_Cell(c2, &x) || !KCUTIL::Read_Coord_Cell(c3, &y)) return result;
        double lon = 0.0, lat = 0.0;
        if (plane) {
            const auto p = KCUTIL::Convert_Coord(x, y);
            if (!p) return result;
            lon = p->longitude;
            lat = p->latitude;
        } else {
            lon = myvbs::DMS_To_Degree(c2);
            lat = myvbs::DMS_To_Degree(c3);
        }
        if (!(lon >= 70.0 && lon <= 140.0) || !(lat > 0.0 && lat <= 55.0)) return result;
        open.degrees.append(QPointF(lon, lat));
        open.ring.corners.append(QPoint(toUnits(lon), toUnits(lat)));
        open.ring.cornerNumbers.append(grid->cellText(r, 1).trimmed());
    }
    if (!lastWasEnd && !closeRing(open, 0, grid->cellText(lastData + 1, 4).trimmed(), read)) return result;

    read.valid = true;
    return read;
}

QPoint MapLayout::place(const QPoint& corner) const
{
    const double px = rect.left + double(corner.x() - minX) / double(scale);
    const double py = rect.top + double(dataHeight - (corner.y() - minY)) / double(scale);
    return QPoint(roundedTwips(px), roundedTwips(py));
}

MapLayout Fit_Area_Map(const MapRect& surfaceRect, const std::array<MapGrid, 2>& grids)
{
    MapLayout layout;
    int minX = INT_MAX, maxX = INT_MIN, minY = INT_MAX, maxY = INT_MIN;
    for (const MapGrid& g : grids) {
        if (!g.valid) continue;
        for (const MapRing& ring : g.rings)
            for (const QPoint& c : ring.corners) {
                minX = qMin(minX, c.x());
                maxX = qMax(maxX, c.x());
                minY = qMin(minY, c.y());
                maxY = qMax(maxY, c.y());
            }
    }
    if (minX > maxX) return layout; // no valid grid

    MapRect r = surfaceRect;
    double w = double(r.right) - r.left;
    double h = double(r.bottom) - r.top;
    r.left = roundedTwips(r.left + w / 16.0);
    r.right = roundedTwips(r.right - w / 16.0);
    r.top = roundedTwips(r.top + h / 16.0);
    r.bottom = roundedTwips(r.bottom - h / 16.0);
    w = double(r.right) - r.left;
    h = double(r.bottom) - r.top;
    if (w <= 0.0 || h <= 0.0) return layout; // an empty rectangle holds no map

    const double dw = double(maxX) - minX;
    const double dh = double(maxY) - minY;
    float scale = 0.0f;
    if (dw == 0.0 && dh == 0.0) {
        // Every corner at one place: the figure sits at the centre.
        scale = 1.0f;
        r.left = r.right = roundedTwips(r.left + w / 2.0);
        r.top = r.bottom = roundedTwips(r.top + h / 2.0);
    } else if (dh / h < dw / w) {
        scale = float(dw / w);
        const double inset = (h - dh / double(scale)) / 2.0;
        r.top = roundedTwips(r.top + inset);
        r.bottom = roundedTwips(r.bottom - inset);
    } else {
        scale = float(dh / h);
        const double inset = (w - dw / double(scale)) / 2.0;
        r.left = roundedTwips(r.left + inset);
        r.right = roundedTwips(r.right - inset);
    }

    layout.drawable = true;
    layout.rect = r;
    layout.scale = scale;
    layout.minX = minX;
    layout.minY = minY;
    layout.dataHeight = int(dh);
    return layout;
}

AreaMapPlan Plan_Area_Map(const AreaMapSource& form, MapTarget target)
{
    AreaMapPlan plan;
    for (int k = 0; k < 2; ++k)
        plan.grids[k] = Read_Map_Grid(form.mapGrid(k));

    Map_Rect() = Read_Map_Rect(form.mapRectText(), Map_Rect());
    plan.surfaceRect = Map_Rect();
    if (target == MapTarget::Printer) {
        plan.surfaceRect.left = Module_PrintTable::To_Printer_X(plan.surfaceRect.left);
        plan.surfaceRect.right = Module_PrintTable::To_Printer_X(plan.surfaceRect.right);
        plan.surfaceRect.top = Module_PrintTable::To_Printer_Y(plan.surfaceRect.top);
        plan.surfaceRect.bottom = Module_PrintTable::To_Printer_Y(plan.surfaceRect.bottom);
    }
    plan.layout = Fit_Area_Map(plan.surfaceRect, plan.grids);
    return plan;
}

namespace {

// Text at a current position: the top left corner of the text is at (x, y).
void printAt(QPainter& painter, int x, int y, const QString& text)
{
    painter.drawText(QPointF(x, y + QFontMetricsF(painter.font()).ascent()), text);
}

void drawGrid(QPainter& painter, const MapGrid& grid, const MapLayout& layout, const GridStyle& style,
              const ProgramState& s, double pixelTwipsX, double pixelTwipsY)
{
    const QFont baseFont = painter.font();
    QFont italicFont = baseFont;
    italicFont.setItalic(true);
    const QFont& textFont = style.italicText ? italicFont : baseFont;

    QPen outline(style.colour);
    outline.setCosmetic(true);
    outline.setWidth(1);
    QPen hollowOutline(QColor(255, 255, 0));
    hollowOutline.setCosmetic(true);
    hollowOutline.setWidth(1);
    QBrush hatch(style.colour, style.hatch);
    // Hatches keep their spacing in device pixels, as on any other page.
    hatch.setTransform(QTransform::fromScale(pixelTwipsX, pixelTwipsY));
    const QBrush hollowFill(QColor(255, 255, 255));

    for (const MapRing& ring : grid.rings) {
        QPolygon points;
        int boxLeft = INT_MAX, boxTop = INT_MAX, boxRight = INT_MIN, boxBottom = INT_MIN;
        for (int i = 0; i < ring.corners.size(); ++i) {
            const QPoint p = layout.place(ring.corners[i]);
            points.append(p);
            if (i > 0 && s.MapShowPoints) {
                const QPoint prev = points[i - 1];
                painter.setFont(textFont);
                painter.setPen(style.colour);
                printAt(painter, prev.x() + 30, prev.y() + 10, ring.cornerNumbers[i - 1]);
            }
            boxLeft = qMin(boxLeft, p.x());
            boxTop = qMin(boxTop, p.y());
            boxRight = qMax(boxRight, p.x());
            boxBottom = qMax(boxBottom, p.y());
        }

        const bool hollow = ring.nature == -1;
        if (s.MapFill) {
            QPainterPath path;
            path.setFillRule(Qt::OddEvenFill);
            path.addPolygon(QPolygonF(points));
            path.closeSubpath();
            painter.fillPath(path, hollow ? hollowFill : hatch);
        }
        painter.setPen(hollow ? hollowOutline : outline);
        painter.setBrush(Qt::NoBrush);
        painter.drawPolyline(points);

        if (s.MapShowLabels) {
            painter.setFont(textFont);
            painter.setPen(style.colour);
            const double textWidth = QFontMetricsF(textFont).horizontalAdvance(ring.label);
            const int x = roundedTwips(boxLeft + ((boxRight - boxLeft) - textWidth) / 2.0);
            const int y = roundedTwips(boxTop + (boxBottom - boxTop) / 2.0);
            printAt(painter, x, y, ring.label);
        }
    }
    painter.setFont(baseFont);
}

} // namespace

void Draw_Area_Map(QPainter& painter, const AreaMapSource& form, MapTarget target)
{
    const AreaMapPlan plan = Plan_Area_Map(form, target);
    const ProgramState& s = state();
    QPaintDevice* device = painter.device();

    painter.save();
    if (target == MapTarget::Screen && device) {
        const QRectF all =
            painter.worldTransform().inverted().mapRect(QRectF(0, 0, device->width(), device->height()));
        painter.fillRect(all, painter.background());
    }

    const bool anyShown = s.MapShowAll || s.MapOnlyRight || s.MapOnlyReserve;
    if (plan.layout.drawable && anyShown && device) {
        const double sx = Twips::scaleX(device);
        const double sy = Twips::scaleY(device);
        painter.setTransform(QTransform::fromScale(sx, sy), true);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        if (s.MapShowPoints || s.MapShowLabels) {
            QFont f = painter.font();
            f.setPixelSize(MapFontTwips); // 10 points, in twips
            painter.setFont(f);
        }
        if (plan.grids[0].valid && (s.MapShowAll || s.MapOnlyRight))
            drawGrid(painter, plan.grids[0], plan.layout, Styles[0], s, 1.0 / sx, 1.0 / sy);
        if (plan.grids[1].valid && (s.MapShowAll || s.MapOnlyReserve))
            drawGrid(painter, plan.grids[1], plan.layout, Styles[1], s, 1.0 / sx, 1.0 / sy);
    }
    painter.restore();
}

void Draw_Area_Map(QPaintDevice& device, const AreaMapSource& form, MapTarget target)
{
    QPainter painter(&device);
    Draw_Area_Map(painter, form, target);
}

} // namespace myvbs
