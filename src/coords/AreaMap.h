#pragma once

#include "AreaMapSource.h"

#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <array>

class QPaintDevice;
class QPainter;

namespace myvbs {

enum class MapTarget {
    Screen = 1,  // the coordinate page: cleared before drawing
    Printer = 2, // the printed page: drawn onto as it is, rectangle moved by the printer transform
};

// A rectangle in twips.
struct MapRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const MapRect&) const = default;
};

// The map rectangle last read from a window, in twips of the coordinate page. A
// rectangle text that cannot be read keeps it.
MapRect& Map_Rect();

// Reads "(left,top)-(right,bottom)": each pair is taken only when "(", "," and ")"
// occur in that order (the second is sought after the first ")"); a pair not found
// keeps its values from `previous`, and without the first the second is not sought.
MapRect Read_Map_Rect(const QString& text, const MapRect& previous);

// One ring of a grid as the map draws it: corners in units of 1/10000 degree
// (longitude x, latitude y), closed (the last corner repeats the first).
struct MapRing
{
    QList<QPoint> corners;
    QStringList cornerNumbers; // 拐点号 of each corner
    int nature = 0;            // 1 or 0 main area, -1 hollow
    QString label;             // 矿体标识
};

struct MapGrid
{
    bool valid = false; // the whole grid was read without fault
    QList<MapRing> rings;
};

// Reads a grid for the map. Plane or geographic from the first data row (both
// values above 360: plane; both below: geographic); a row whose trimmed 性质 is
// "0", "1" or "-1" ends a ring, any other row is a corner. The grid is not valid
// (and not drawn) when it has no data row, a row with an empty X or Y, a corner
// that is not a number or lies outside longitude 70 to 140 or latitude above 0 up
// to 55, or a ring of fewer than three corners. An open last ring is closed as a
// main area labelled from the empty entry row.
MapGrid Read_Map_Grid(const CoordGrid* grid);

// Where the map goes on the surface.
struct MapLayout
{
    bool drawable = false; // false: nothing to draw (no valid grid, empty rectangle)
    MapRect rect;          // twips of the surface, after the margins and the fit
    float scale = 0.0f;    // corner units per twip
    int minX = 0;
    int minY = 0;
    int dataHeight = 0;

    // A corner in twips of the surface, north up.
    QPoint place(const QPoint& corner) const;
};

// The 1/16 margins and the fit of the data extent of every valid grid into
// `surfaceRect` (twips of the surface), keeping the aspect and centring the other
// way. Every valid grid counts, whatever the switches, so the scale stays the same
// when one grid is hidden.
MapLayout Fit_Area_Map(const MapRect& surfaceRect, const std::array<MapGrid, 2>& grids);

// Everything the map needs before painting: the grids read, the rectangle read
// (Map_Rect updated) and moved to the surface, and the layout.
struct AreaMapPlan
{
    std::array<MapGrid, 2> grids;
    MapRect surfaceRect;
    MapLayout layout;
};
AreaMapPlan Plan_Area_Map(const AreaMapSource& form, MapTarget target);

// Draws the sketch map of the registration shown by `form` with the program's map
// switches (MapFill, MapShowPoints, MapShowLabels, MapShowAll, MapOnlyRight,
// MapOnlyReserve). The painter's coordinates are taken as device pixels (a
// translation of the caller's stays in force); the map works in twips on top of
// them. The painter's state is restored afterwards; nothing is shown to the user.
// On the screen the surface is first cleared with the painter's background.
void Draw_Area_Map(QPainter& painter, const AreaMapSource& form, MapTarget target);
// The same on a device that no painter is active on.
void Draw_Area_Map(QPaintDevice& device, const AreaMapSource& form, MapTarget target);

} // namespace myvbs
