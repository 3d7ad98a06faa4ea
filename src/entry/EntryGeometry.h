#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

// The arithmetic of the entry window's layout, in twips and without widgets: the
// placing of the navigation panel, splitter, tab strip, viewport and scroll bars on
// a resize, the splitter's clamps, the scroll ranges and the wheel step.
namespace EntryGeometry {

constexpr int MinWidth = 8600;  // the window is never narrower
constexpr int MinHeight = 6000; // nor lower
constexpr int PanelLeft = 150;  // navigation panel Pic3
constexpr int PanelTop = 50;
constexpr int PanelDesignWidth = 1965;
constexpr int SplitterWidth = 85;   // TEMPPIC
constexpr int MinPanelWidth = 1500; // the splitter's left clamp
constexpr int RightReserve = 5000;  // the splitter stops this far from the window's right edge
constexpr int RegionTreeHeight = 3855;
constexpr int PageOffset = 100; // a page at scroll value 0 starts this far into the viewport
constexpr int ScrollSlack = 200;
constexpr int WheelStep = 300;

// What the layout needs to know. Rectangles of the panel's children are relative
// to the panel, the others to the window's client area.
struct Inputs
{
    int innerWidth = 0; // the window's client area
    int innerHeight = 0;
    int panelWidth = PanelDesignWidth;
    int comboHeight = 0;       // cobNavigate
    int queryButtonHeight = 0; // Command6
    int tabHeight = 0;         // Tab1
    int hScrollHeight = 0;     // HScroll1
    int vScrollWidth = 0;      // VScroll1
    QString mode;              // text of cobNavigate
    // The trees as they stand: kept in the modes whose trees the navigation places.
    QRect regionTree;
    bool regionTreeVisible = false;
    QRect registrationTree;
    bool registrationTreeVisible = true;
    QSize page; // the shown page picture
};

struct Layout
{
    QRect panel;       // Pic3
    QRect combo;       // cobNavigate, in the panel
    QRect queryButton; // Command6, in the panel
    QRect regionTree;  // TvDataList, in the panel
    bool regionTreeVisible = false;
    QRect registrationTree; // TvmDataList, in the panel
    bool registrationTreeVisible = true;
    QRect splitter; // TEMPPIC
    QRect tabs;     // Tab1
    QRect viewport; // Pic1
    QRect hScroll;  // HScroll1
    bool hScrollVisible = false;
    QRect vScroll; // VScroll1
    bool vScrollVisible = false;
    int hScrollMax = 0;
    int vScrollMax = 0;
};

// The layout of a window whose client area and panel width are given.
Layout arrange(const Inputs& in);

// The window's outer size after the size limits (8600 wide, 6000 high at least).
QSize limitedSize(QSize outer);

// Width of the navigation panel when the splitter is released at `x` (relative to
// the splitter) while the splitter stands at `splitterLeft`.
int releasedPanelWidth(int splitterLeft, int x, int panelLeft, int windowWidth);

// Maximum of a scroll bar: how far the page reaches beyond the viewport, plus the
// slack that leaves the page's far edge 100 short of the viewport's edge.
int scrollMaximum(int pageExtent, int viewportExtent);

// The page's position in the viewport at a scroll value, and back.
inline int pagePosition(int scrollValue)
{
    return PageOffset - scrollValue;
}
inline int scrollValueAt(int pagePos)
{
    return PageOffset - pagePos;
}

// The vertical scroll value after one wheel step: up (delta > 0) or down.
int wheelValue(int value, int minimum, int maximum, int delta);

// True when `p` lies inside `r`, its edges excluded.
bool strictlyInside(const QRect& r, QPoint p);

} // namespace EntryGeometry
