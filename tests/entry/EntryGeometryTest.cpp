#include "entry/EntryGeometry.h"

#include <gtest/gtest.h>

namespace {

using namespace EntryGeometry;

Inputs window(int width, int height, const QString& mode = QStringLiteral("登记号"))
{
    Inputs in;
    in.innerWidth = width;
    in.innerHeight = height;
    in.panelWidth = 1965;
    in.comboHeight = 300;
    in.queryButtonHeight = 375;
    in.tabHeight = 360;
    in.hScrollHeight = 255;
    in.vScrollWidth = 255;
    in.mode = mode;
    in.regionTree = QRect(0, 700, 1000, 1234);
    in.regionTreeVisible = true;
    in.registrationTree = QRect(0, 2000, 1000, 4321);
    in.registrationTreeVisible = false;
    in.page = QSize(8250, 9000);
    return in;
}

TEST(EntryGeometry, RegionsFollowTheWindow)
{
    const Layout l = arrange(window(11000, 7000));
    EXPECT_EQ(l.panel, QRect(150, 50, 1965, 6850));
    EXPECT_EQ(l.combo, QRect(0, 50, 1965, 300));
    EXPECT_EQ(l.queryButton, QRect(0, 6850 - 375, 1965, 375));
    EXPECT_EQ(l.splitter, QRect(2115, 50, 85, 6850));
    // Viewport right of the splitter, under the tabs; its width leaves 150 at the right.
    const int viewW = 11000 - 150 - 1965 - 150;
    EXPECT_EQ(l.tabs, QRect(2215, 50, viewW, 360));
    EXPECT_TRUE(l.vScrollVisible);  // 6850 - 360 - 200 < 9000
    EXPECT_FALSE(l.hScrollVisible); // 8735 - 200 >= 8250
    EXPECT_EQ(l.viewport, QRect(2200, 410, viewW - 255, 6850 - 360));
    EXPECT_EQ(l.vScroll, QRect(2200 + viewW - 255, 410, 255, 6490));
    EXPECT_EQ(l.vScrollMax, 9000 - 6490 + 200);
    EXPECT_EQ(l.hScrollMax, 8250 - (viewW - 255) + 200);
}

TEST(EntryGeometry, TreesByNavigationMode)
{
    Layout l = arrange(window(11000, 7000, QStringLiteral("登记号")));
    EXPECT_TRUE(l.registrationTreeVisible);
    EXPECT_FALSE(l.regionTreeVisible);
    EXPECT_EQ(l.registrationTree, QRect(0, 350, 1915, 6475 - 350));

    // The region tree is 3855 high and the registration tree fills the rest down to
    // the query button.
    l = arrange(window(11000, 7000, QStringLiteral("行政区-->登记号")));
    EXPECT_TRUE(l.regionTreeVisible);
    EXPECT_TRUE(l.registrationTreeVisible);
    EXPECT_EQ(l.regionTree, QRect(0, 350, 1915, 3855));
    EXPECT_EQ(l.registrationTree, QRect(0, 350 + 3855, 1915, 6475 - 350 - 3855));

    // The mine modes keep the trees where the navigation put them; only the width follows.
    l = arrange(window(11000, 7000, QStringLiteral("矿山-->登记号")));
    EXPECT_TRUE(l.regionTreeVisible);
    EXPECT_FALSE(l.registrationTreeVisible);
    EXPECT_EQ(l.regionTree, QRect(0, 700, 1915, 1234));
    EXPECT_EQ(l.registrationTree, QRect(0, 2000, 1915, 4321));
}

TEST(EntryGeometry, ScrollBarsUnlessTheViewportExceedsThePageBy200)
{
    // Viewport width = inner width - 150 - 1965 - 150; height = inner height - 150 - 360.
    Inputs in = window(150 + 1965 + 150 + 8250 + 200, 150 + 360 + 9000 + 200);
    Layout l = arrange(in);
    EXPECT_FALSE(l.hScrollVisible);
    EXPECT_FALSE(l.vScrollVisible);
    EXPECT_EQ(l.hScrollMax, 0);
    EXPECT_EQ(l.vScrollMax, 0);

    // A viewport that leaves less than 100 on each side of the page shows the bar.
    in = window(150 + 1965 + 150 + 8250 + 100, 150 + 360 + 9000 + 150);
    l = arrange(in);
    EXPECT_TRUE(l.hScrollVisible);
    EXPECT_TRUE(l.vScrollVisible);
    EXPECT_EQ(l.viewport.size(), QSize(8350 - 255, 9150 - 255));
    EXPECT_EQ(l.hScrollMax, 8250 - (8350 - 255) + 200);
    EXPECT_EQ(l.vScrollMax, 9000 - (9150 - 255) + 200);

    in = window(150 + 1965 + 150 + 8250 + 199, 20000);
    l = arrange(in);
    EXPECT_TRUE(l.hScrollVisible);
    EXPECT_FALSE(l.vScrollVisible);
    EXPECT_EQ(l.hScroll.top(), l.viewport.top() + l.viewport.height());
    EXPECT_EQ(l.viewport.height(), 20000 - 150 - 360 - 255);
}

TEST(EntryGeometry, WindowSizeLimits)
{
    EXPECT_EQ(limitedSize(QSize(5000, 3000)), QSize(8600, 6000));
    EXPECT_EQ(limitedSize(QSize(9000, 3000)), QSize(9000, 6000));
    EXPECT_EQ(limitedSize(QSize(8600, 6000)), QSize(8600, 6000));
}

TEST(EntryGeometry, SplitterClamps)
{
    // Released far left: the panel keeps 1500.
    EXPECT_EQ(releasedPanelWidth(2115, -2000, 150, 11170), 1500);
    EXPECT_EQ(releasedPanelWidth(1650, 0, 150, 11170), 1500);
    EXPECT_EQ(releasedPanelWidth(1650, 1, 150, 11170), 1501);
    // Released far right: the panel reaches to 5000 short of the window's right edge.
    EXPECT_EQ(releasedPanelWidth(2115, 9000, 150, 11170), 11170 - 5000);
    EXPECT_EQ(releasedPanelWidth(6170, 0, 150, 11170), 6020);
    EXPECT_EQ(releasedPanelWidth(6170, 1, 150, 11170), 6170);
}

TEST(EntryGeometry, WheelStepsWithinTheRange)
{
    EXPECT_EQ(wheelValue(1000, 0, 2000, 120), 700);
    EXPECT_EQ(wheelValue(1000, 0, 2000, -120), 1300);
    EXPECT_EQ(wheelValue(250, 0, 2000, 120), 0);
    EXPECT_EQ(wheelValue(300, 0, 2000, 120), 0);
    EXPECT_EQ(wheelValue(1800, 0, 2000, -120), 2000);
    // A turn of no size scrolls down.
    EXPECT_EQ(wheelValue(0, 0, 2000, 0), 300);
}

TEST(EntryGeometry, InsideExcludesTheEdges)
{
    const QRect r(10, 20, 100, 50);
    EXPECT_TRUE(strictlyInside(r, QPoint(11, 21)));
    EXPECT_TRUE(strictlyInside(r, QPoint(109, 69)));
    EXPECT_FALSE(strictlyInside(r, QPoint(10, 40)));
    EXPECT_FALSE(strictlyInside(r, QPoint(110, 40)));
    EXPECT_FALSE(strictlyInside(r, QPoint(50, 20)));
    EXPECT_FALSE(strictlyInside(r, QPoint(50, 70)));
}

TEST(EntryGeometry, PagePositionAndScrollValue)
{
    EXPECT_EQ(pagePosition(0), 100);
    EXPECT_EQ(pagePosition(2810), -2710);
    EXPECT_EQ(scrollValueAt(-2710), 2810);
    EXPECT_EQ(scrollMaximum(9000, 6490), 2710);
    EXPECT_EQ(scrollMaximum(8250, 8300), 150); // a page smaller than the viewport
}

} // namespace
