#include "EntryGeometry.h"

#include <algorithm>

namespace EntryGeometry {

namespace {
const QString ModeDJH = QStringLiteral("登记号");
const QString ModeXZQ_DJH = QStringLiteral("行政区-->登记号");
} // namespace

Layout arrange(const Inputs& in)
{
    Layout out;
    // Navigation panel: full height less its margins; only the splitter changes its width.
    out.panel = QRect(PanelLeft, PanelTop, in.panelWidth, in.innerHeight - PanelTop - 100);
    const int panelW = out.panel.width();
    const int panelH = out.panel.height();

    out.combo = QRect(0, out.panel.top(), panelW, in.comboHeight);
    out.queryButton = QRect(0, panelH - in.queryButtonHeight, panelW, in.queryButtonHeight);

    out.regionTree = in.regionTree;
    out.regionTreeVisible = in.regionTreeVisible;
    out.registrationTree = in.registrationTree;
    out.registrationTreeVisible = in.registrationTreeVisible;
    const int belowCombo = out.combo.top() + out.combo.height();
    if (in.mode == ModeDJH) {
        out.registrationTreeVisible = true;
        out.regionTreeVisible = false;
        out.registrationTree.setTop(belowCombo);
        out.registrationTree.setHeight(out.queryButton.top() - belowCombo);
    } else if (in.mode == ModeXZQ_DJH) {
        out.regionTreeVisible = true;
        out.registrationTreeVisible = true;
        out.regionTree.setTop(belowCombo);
        out.regionTree.setHeight(RegionTreeHeight);
        out.registrationTree.setTop(belowCombo + RegionTreeHeight);
        out.registrationTree.setHeight(out.queryButton.top() - out.registrationTree.top());
    }
    for (QRect* tree : {&out.regionTree, &out.registrationTree}) {
        const int top = tree->top(), height = tree->height();
        *tree = QRect(0, top, panelW - 50, height);
    }

    out.splitter = QRect(out.panel.left() + panelW, out.panel.top(), SplitterWidth, panelH);

    const int tabLeft = out.panel.left() + panelW + 100;
    int viewW = in.innerWidth - out.panel.left() - panelW - 150;
    int viewH = panelH - in.tabHeight;
    const int viewLeft = out.splitter.left() + SplitterWidth;
    const int viewTop = PanelTop + in.tabHeight;
    out.tabs = QRect(tabLeft, PanelTop, viewW, in.tabHeight);

    out.vScrollVisible = viewH - ScrollSlack < in.page.height();
    out.hScrollVisible = viewW - ScrollSlack < in.page.width();
    if (out.hScrollVisible) viewH -= in.hScrollHeight;
    if (out.vScrollVisible) viewW -= in.vScrollWidth;
    out.viewport = QRect(viewLeft, viewTop, viewW, viewH);
    out.hScroll = QRect(viewLeft, viewTop + viewH, viewW, in.hScrollHeight);
    out.vScroll = QRect(viewLeft + viewW, viewTop, in.vScrollWidth, viewH);
    out.hScrollMax = scrollMaximum(in.page.width(), viewW);
    out.vScrollMax = scrollMaximum(in.page.height(), viewH);
    return out;
}

QSize limitedSize(QSize outer)
{
    return QSize(std::max(outer.width(), MinWidth), std::max(outer.height(), MinHeight));
}

int releasedPanelWidth(int splitterLeft, int x, int panelLeft, int windowWidth)
{
    const int w = splitterLeft + x - panelLeft;
    if (w < MinPanelWidth) return MinPanelWidth;
    if (splitterLeft + x > windowWidth - RightReserve) return windowWidth - RightReserve;
    return w;
}

int scrollMaximum(int pageExtent, int viewportExtent)
{
    return pageExtent - viewportExtent + ScrollSlack;
}

int wheelValue(int value, int minimum, int maximum, int delta)
{
    if (delta > 0) return value - WheelStep > minimum ? value - WheelStep : minimum;
    return value + WheelStep < maximum ? value + WheelStep : maximum;
}

bool strictlyInside(const QRect& r, QPoint p)
{
    const int right = r.left() + r.width();
    const int bottom = r.top() + r.height();
    return r.left() < p.x() && p.x() < right && r.top() < p.y() && p.y() < bottom;
}

} // namespace EntryGeometry
