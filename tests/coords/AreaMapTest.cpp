#include "CoordsFixture.h"

#include "coords/AreaMap.h"
#include "coords/PrintTransform.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <QTemporaryDir>

using namespace myvbs;

namespace {

const QColor Grid0Colour(240, 15, 100);
const QColor Grid1Colour(133, 84, 192);
const QColor Yellow(255, 255, 0);
const QColor White(255, 255, 255);
const QColor Grey(128, 128, 128);

class TestForm : public AreaMapSource
{
public:
    std::array<CoordGridRows, 2> grids;
    QString rect = QStringLiteral("(0,0)-(8000,8000)");

    const CoordGrid* mapGrid(int index) const override
    {
        return index >= 0 && index < 2 ? &grids[index] : nullptr;
    }
    QString mapRectText() const override { return rect; }
};

// Four corners of a geographic square and its ring-end row.
QList<QStringList> square(const QString& west, const QString& south, const QString& east,
                          const QString& north, const QString& nature = QStringLiteral("1"),
                          const QString& label = QString())
{
    return {{"1", west, south},
            {"2", east, south},
            {"3", east, north},
            {"4", west, north},
            {"*", "0", "100", label, nature}};
}

// 144 dots per inch: one pixel is ten twips.
QImage page(int width, int height, const QColor& fill = White)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.setDotsPerMeterX(5669);
    image.setDotsPerMeterY(5669);
    image.fill(fill);
    return image;
}

int count(const QImage& image, const QColor& colour, QRect area = QRect())
{
    if (area.isNull()) area = image.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) == colour) ++n;
    return n;
}

QRect bounds(const QImage& image, const QColor& colour)
{
    QRect r;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == colour) r |= QRect(x, y, 1, 1);
    return r;
}

class AreaMapTest : public CoordsFixture
{
protected:
    void SetUp() override
    {
        CoordsFixture::SetUp();
        Map_Rect() = MapRect{};
        // Grid 0 from 116.0 to 116.1 east, grid 1 from 116.2 to 116.3, both 40.0 to 40.1 north.
        form.grids[0] = gridOf(square("116.0000", "40.0000", "116.0600", "40.0600", "1", "A"));
        form.grids[1] = gridOf(square("116.1200", "40.0000", "116.1800", "40.0600", "1", "B"));
    }
    QImage draw(MapTarget target = MapTarget::Screen, QImage image = page(800, 800))
    {
        Draw_Area_Map(image, form, target);
        return image;
    }

    TestForm form;
};

// ---- reading the grids ---------------------------------------------------------

TEST_F(AreaMapTest, ReadsRingsClosesThemOnceAndKeepsLabels)
{
    const MapGrid g = Read_Map_Grid(&form.grids[0]);
    ASSERT_TRUE(g.valid);
    ASSERT_EQ(g.rings.size(), 1);
    const MapRing& ring = g.rings[0];
    ASSERT_EQ(ring.corners.size(), 5); // closed by the first corner again
    EXPECT_EQ(ring.corners[0], QPoint(1160000, 400000));
    EXPECT_EQ(ring.corners[2], QPoint(1161000, 401000));
    EXPECT_EQ(ring.corners[4], ring.corners[0]);
    EXPECT_EQ(ring.cornerNumbers, QStringList({"1", "2", "3", "4", "1"}));
    EXPECT_EQ(ring.nature, 1);
    EXPECT_EQ(ring.label, QStringLiteral("A"));

    // Typed closed already: not closed a second time.
    CoordGridRows closed = gridOf({{"1", "116.0000", "40.0000"},
                                   {"2", "116.0600", "40.0000"},
                                   {"3", "116.0600", "40.0600"},
                                   {"4", "116.0000", "40.0000"},
                                   {"*", "0", "0", "", "-1"}});
    const MapGrid c = Read_Map_Grid(&closed);
    ASSERT_TRUE(c.valid);
    EXPECT_EQ(c.rings[0].corners.size(), 4);
    EXPECT_EQ(c.rings[0].nature, -1);
}

TEST_F(AreaMapTest, OpenLastRingIsAMainAreaLabelledFromTheEntryRow)
{
    CoordGridRows open =
        gridOf({{"1", "116.0000", "40.0000"}, {"2", "116.0600", "40.0000"}, {"3", "116.0600", "40.0600"}});
    open.setCellText(open.rowCount() - 1, 4, QStringLiteral("E"));
    const MapGrid g = Read_Map_Grid(&open);
    ASSERT_TRUE(g.valid);
    EXPECT_EQ(g.rings[0].nature, 0);
    EXPECT_EQ(g.rings[0].label, QStringLiteral("E"));
    EXPECT_EQ(g.rings[0].corners.size(), 4);

    // A ring-end row whose nature is empty is a corner: its elevations are read
    // as a position (here 100 east, 50 north), and the ring stays open.
    CoordGridRows noNature = gridOf({{"1", "116.0000", "40.0000"},
                                     {"2", "116.0600", "40.0000"},
                                     {"3", "116.0600", "40.0600"},
                                     {"*", "100", "50", "", ""}});
    const MapGrid n = Read_Map_Grid(&noNature);
    ASSERT_TRUE(n.valid);
    EXPECT_EQ(n.rings[0].corners[3], QPoint(1000000, 500000));
    EXPECT_EQ(n.rings[0].nature, 0);
}

TEST_F(AreaMapTest, GridsThatBreakARuleAreLeftOut)
{
    auto valid = [](const QList<QStringList>& rows) {
        CoordGridRows g = gridOf(rows);
        return Read_Map_Grid(&g).valid;
    };
    CoordGridRows empty;
    EXPECT_FALSE(Read_Map_Grid(&empty).valid);
    EXPECT_FALSE(Read_Map_Grid(nullptr).valid);
    // Fewer than three corners in a ring.
    EXPECT_FALSE(
        valid({{"1", "116.0000", "40.0000"}, {"2", "116.0600", "40.0000"}, {"*", "0", "0", "", "1"}}));
    // First corner with X above and Y below 360, or at 360.
    EXPECT_FALSE(valid(square("4400000", "40.0000", "4400100", "40.0600")));
    EXPECT_FALSE(valid(square("360", "40.0000", "116.0600", "40.0600")));
    // Empty elevation on a ring-end row, a corner that is not a number.
    EXPECT_FALSE(valid({{"1", "116.0000", "40.0000"},
                        {"2", "116.0600", "40.0000"},
                        {"3", "116.0600", "40.0600"},
                        {"*", "", "100", "", "1"}}));
    EXPECT_FALSE(valid(square("116.0000", "40.0000", "116.06x", "40.0600")));
    // Latitude 0 is out, 70 and 140 east and 55 north are in.
    EXPECT_FALSE(valid(square("116.0000", "0", "116.0600", "40.0600")));
    EXPECT_TRUE(valid(square("70", "54.0000", "140", "55")));
    EXPECT_FALSE(valid(square("69.5900", "40.0000", "116.0600", "40.0600")));
    // A plane corner whose easting lies in no zone.
    EXPECT_FALSE(valid(square("4400000", "10400000", "4400100", "10400100")));
    // Plane corners are projected.
    CoordGridRows plane = gridOf(square("4400000", "20500000", "4401000", "20501000"));
    const MapGrid p = Read_Map_Grid(&plane);
    ASSERT_TRUE(p.valid);
    EXPECT_EQ(p.rings[0].corners[0].x(), 1170000);
    EXPECT_TRUE(Prompt::shown().isEmpty());
}

// ---- rectangle and layout ----------------------------------------------------

TEST_F(AreaMapTest, RectangleTextIsReadPairByPair)
{
    const MapRect previous{1, 2, 3, 4};
    EXPECT_EQ(Read_Map_Rect(QStringLiteral("(362,3160)-(7843,8036)"), previous),
              (MapRect{362, 3160, 7843, 8036}));
    EXPECT_EQ(Read_Map_Rect(QStringLiteral("nothing"), previous), previous);
    EXPECT_EQ(Read_Map_Rect(QStringLiteral("(10,20)-junk"), previous), (MapRect{10, 20, 3, 4}));

    // A window whose text cannot be read draws where the last one did.
    Plan_Area_Map(form, MapTarget::Screen);
    form.rect = QStringLiteral("??");
    EXPECT_EQ(Plan_Area_Map(form, MapTarget::Screen).surfaceRect, (MapRect{0, 0, 8000, 8000}));
    EXPECT_EQ(Map_Rect(), (MapRect{0, 0, 8000, 8000}));
}

TEST_F(AreaMapTest, FitCentresTheShortSide)
{
    std::array<MapGrid, 2> grids;
    grids[0].valid = true;
    grids[0].rings.append(
        MapRing{{QPoint(0, 0), QPoint(2000, 0), QPoint(2000, 1000), QPoint(0, 0)}, {}, 1, {}});
    // Wide: margins give (1000,1000)-(15000,15000), the height is centred.
    MapLayout l = Fit_Area_Map(MapRect{0, 0, 16000, 16000}, grids);
    ASSERT_TRUE(l.drawable);
    EXPECT_EQ(l.rect, (MapRect{1000, 4500, 15000, 11500}));
    EXPECT_EQ(l.place(QPoint(0, 0)), QPoint(1000, 11500));
    EXPECT_EQ(l.place(QPoint(2000, 1000)), QPoint(15000, 4500));

    // Tall: the width is centred.
    grids[0].rings[0].corners = {QPoint(0, 0), QPoint(1000, 0), QPoint(1000, 2000), QPoint(0, 0)};
    l = Fit_Area_Map(MapRect{0, 0, 16000, 16000}, grids);
    EXPECT_EQ(l.rect, (MapRect{4500, 1000, 11500, 15000}));

    // A tie is centred across (and nothing moves).
    grids[0].rings[0].corners = {QPoint(0, 0), QPoint(1000, 0), QPoint(1000, 1000), QPoint(0, 0)};
    l = Fit_Area_Map(MapRect{0, 0, 16000, 16000}, grids);
    EXPECT_EQ(l.rect, (MapRect{1000, 1000, 15000, 15000}));

    // A grid that is not valid does not count.
    grids[1].rings.append(MapRing{{QPoint(-50000, -50000)}, {}, 1, {}});
    EXPECT_EQ(Fit_Area_Map(MapRect{0, 0, 16000, 16000}, grids).rect, l.rect);
}

TEST_F(AreaMapTest, DegenerateRectanglesAndFiguresNeverDivideByZero)
{
    std::array<MapGrid, 2> grids;
    grids[0].valid = true;
    grids[0].rings.append(MapRing{{QPoint(5, 5), QPoint(5, 5), QPoint(5, 5)}, {"1", "2", "3"}, 1, {}});
    EXPECT_FALSE(Fit_Area_Map(MapRect{100, 100, 100, 100}, grids).drawable);
    EXPECT_FALSE(Fit_Area_Map(MapRect{0, 0, 0, 0}, grids).drawable);
    EXPECT_FALSE(Fit_Area_Map(MapRect{500, 500, 100, 100}, grids).drawable);
    // All corners at one place: a point at the centre.
    const MapLayout l = Fit_Area_Map(MapRect{0, 0, 1600, 800}, grids);
    ASSERT_TRUE(l.drawable);
    EXPECT_EQ(l.place(QPoint(5, 5)), QPoint(800, 400));
    EXPECT_FALSE(Fit_Area_Map(MapRect{0, 0, 1600, 800}, {}).drawable);

    // Drawn for real: nothing shown, nothing thrown.
    form.grids[0] = gridOf(square("116.0000", "40.0000", "116.0000", "40.0000"));
    form.grids[1] = CoordGridRows();
    m_state.MapShowPoints = m_state.MapShowLabels = true;
    draw();
    form.rect = QStringLiteral("(100,100)-(100,100)");
    const QImage empty = draw();
    EXPECT_EQ(count(empty, White), empty.width() * empty.height());
    EXPECT_TRUE(Prompt::shown().isEmpty());
}

// ---- painting -------------------------------------------------------------------

TEST_F(AreaMapTest, EachGridInItsColourAndHatch)
{
    const QImage image = draw();
    const QRect g0 = bounds(image, Grid0Colour);
    const QRect g1 = bounds(image, Grid1Colour);
    // Rectangle (500,2833)-(2833,5167) and (5167,2833)-(7500,5167) in twips.
    EXPECT_NEAR(g0.left(), 50, 1);
    EXPECT_NEAR(g0.right(), 283, 1);
    EXPECT_NEAR(g0.top(), 283, 1);
    EXPECT_NEAR(g0.bottom(), 517, 1);
    EXPECT_NEAR(g1.left(), 517, 1);
    EXPECT_NEAR(g1.right(), 750, 1);

    // Grid 0 hatched from top left to bottom right, grid 1 from bottom left to top right.
    auto diagonals = [&](const QColor& c, const QRect& area, int dy) {
        int n = 0;
        for (int y = area.top() + 1; y < area.bottom(); ++y)
            for (int x = area.left(); x < area.right(); ++x)
                if (image.pixelColor(x, y) == c && image.pixelColor(x + 1, y + dy) == c) ++n;
        return n;
    };
    const QRect inside0 = g0.adjusted(10, 10, -10, -10);
    const QRect inside1 = g1.adjusted(10, 10, -10, -10);
    EXPECT_GT(diagonals(Grid0Colour, inside0, 1), 100);
    EXPECT_EQ(diagonals(Grid0Colour, inside0, -1), 0);
    EXPECT_GT(diagonals(Grid1Colour, inside1, -1), 100);
    EXPECT_EQ(diagonals(Grid1Colour, inside1, 1), 0);
}

TEST_F(AreaMapTest, HidingOneGridKeepsTheScaleOfTheOther)
{
    const QImage both = draw();
    m_state.MapShowAll = false;
    m_state.MapOnlyRight = true;
    const QImage right = draw();
    EXPECT_EQ(count(right, Grid1Colour), 0);
    EXPECT_EQ(bounds(right, Grid0Colour), bounds(both, Grid0Colour));
    EXPECT_EQ(count(right, Grid0Colour), count(both, Grid0Colour));

    m_state.MapOnlyRight = false;
    m_state.MapOnlyReserve = true;
    const QImage reserve = draw();
    EXPECT_EQ(count(reserve, Grid0Colour), 0);
    EXPECT_EQ(bounds(reserve, Grid1Colour), bounds(both, Grid1Colour));
}

TEST_F(AreaMapTest, NothingIsDrawnWithTheGridSwitchesOff)
{
    m_state.MapShowAll = false;
    m_state.MapShowPoints = m_state.MapShowLabels = true;
    // The screen is cleared...
    const QImage screen = draw(MapTarget::Screen, page(800, 800, Grey));
    EXPECT_EQ(count(screen, White), 800 * 800);
    // ...the printed page is left as it was.
    const QImage printed = draw(MapTarget::Printer, page(800, 800, Grey));
    EXPECT_EQ(count(printed, Grey), 800 * 800);
}

TEST_F(AreaMapTest, WithoutFillOnlyOutlinesAreDrawn)
{
    const QImage filled = draw();
    m_state.MapFill = false;
    const QImage outlined = draw();
    const QRect g0 = bounds(outlined, Grid0Colour);
    EXPECT_EQ(g0, bounds(filled, Grid0Colour));
    EXPECT_EQ(count(outlined, Grid0Colour, g0.adjusted(3, 3, -3, -3)), 0);
    EXPECT_GT(count(filled, Grid0Colour, g0.adjusted(3, 3, -3, -3)), 1000);
}

TEST_F(AreaMapTest, HollowRingsAreWhiteWithAYellowOutline)
{
    QList<QStringList> rows = square("116.0000", "40.0000", "116.0600", "40.0600", "1");
    rows += square("116.0200", "40.0200", "116.0400", "40.0400", "-1");
    form.grids[0] = gridOf(rows);
    const QImage image = draw();
    // The hollow spans a third of the ring each way: x 128 to 205, y 361 to 439 pixels.
    const QRect hollow(135, 368, 64, 64);
    EXPECT_EQ(count(image, White, hollow), hollow.width() * hollow.height());
    EXPECT_GT(count(image, Yellow), 250);
    EXPECT_GT(count(image, Grid0Colour, QRect(60, 300, 60, 200)), 500);
}

TEST_F(AreaMapTest, CornerNumbersAndLabelsInTheGridColour)
{
    m_state.MapFill = false;
    const QImage plain = draw();
    const QRect outline = bounds(plain, Grid0Colour);

    m_state.MapShowPoints = true;
    const QImage numbered = draw();
    // Numbers stand right of and below their corners.
    EXPECT_GT(bounds(numbered, Grid0Colour).right(), outline.right() + 5);
    EXPECT_GT(bounds(numbered, Grid1Colour).right(), bounds(plain, Grid1Colour).right() + 5);

    m_state.MapShowPoints = false;
    m_state.MapShowLabels = true;
    const QImage labelled = draw();
    const QRect inside = outline.adjusted(3, 3, -3, -3);
    EXPECT_EQ(count(plain, Grid0Colour, inside), 0);
    EXPECT_GT(count(labelled, Grid0Colour, inside), 10);
}

TEST_F(AreaMapTest, PainterStateIsRestored)
{
    m_state.MapShowPoints = m_state.MapShowLabels = true;
    QImage image = page(800, 800);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::green, 3));
    painter.setBrush(Qt::blue);
    QFont font(QStringLiteral("Noto Serif CJK SC"));
    font.setPointSize(23);
    painter.setFont(font);
    font = painter.font();
    painter.translate(5, 7);
    painter.setBackground(Qt::white);
    const QPen pen = painter.pen();
    const QBrush brush = painter.brush();
    const QTransform transform = painter.worldTransform();
    const auto hints = painter.renderHints();

    Draw_Area_Map(painter, form, MapTarget::Screen);

    EXPECT_EQ(painter.pen(), pen);
    EXPECT_EQ(painter.brush(), brush);
    EXPECT_EQ(painter.font(), font);
    EXPECT_EQ(painter.worldTransform(), transform);
    EXPECT_EQ(painter.renderHints(), hints);
    painter.end();
    EXPECT_GT(count(image, Grid0Colour), 0);
}

TEST_F(AreaMapTest, PrinterRectangleGoesThroughThePrinterTransform)
{
    form.rect = QStringLiteral("(362,3160)-(7843,8036)");
    EXPECT_EQ(Plan_Area_Map(form, MapTarget::Screen).surfaceRect, (MapRect{362, 3160, 7843, 8036}));
    const AreaMapPlan plan = Plan_Area_Map(form, MapTarget::Printer);
    EXPECT_EQ(plan.surfaceRect, (MapRect{1234, 5940, 10212, 13254}));
    // Then narrowed by the 1/16 margins: 8978 / 16 across.
    EXPECT_EQ(plan.layout.rect.left, 1795);
    EXPECT_EQ(plan.layout.rect.right, 9651);

    const QImage image = draw(MapTarget::Printer, page(1100, 1400));
    const QRect all = bounds(image, Grid0Colour) | bounds(image, Grid1Colour);
    EXPECT_NEAR(all.left(), 179, 1);
    EXPECT_NEAR(all.right(), 965, 1);
    EXPECT_GE(all.top(), 594);
    EXPECT_LE(all.bottom(), 1326);
}

TEST_F(AreaMapTest, PdfPageRendersTheMap)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto printPdf = [&](const QString& name) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(name));
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setFullPage(true);
        QPainter painter(&printer);
        Draw_Area_Map(painter, form, MapTarget::Printer);
        painter.end();
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    };
    m_state.MapShowPoints = m_state.MapShowLabels = true;
    const QByteArray withMap = printPdf(QStringLiteral("map.pdf"));
    m_state.MapShowAll = false;
    const QByteArray withoutMap = printPdf(QStringLiteral("none.pdf"));
    EXPECT_TRUE(withMap.startsWith("%PDF"));
    EXPECT_GT(withMap.size(), withoutMap.size() + 500);

    // What the printer is given: inside the moved rectangle, in printer pixels.
    m_state.MapShowAll = true;
    QPicture picture;
    QPainter painter(&picture);
    Draw_Area_Map(painter, form, MapTarget::Printer);
    painter.end();
    const double px = picture.logicalDpiX() / 1440.0;
    const QRect drawn = picture.boundingRect();
    EXPECT_GE(drawn.left(), int(1234 * px) - 1);
    EXPECT_LE(drawn.right(), int(10212 * px) + 2);
}

// ---- printer transform ------------------------------------------------------

TEST_F(AreaMapTest, PrinterTransform)
{
    using namespace Module_PrintTable;
    EXPECT_EQ(To_Printer_X(362), 1234);
    EXPECT_EQ(To_Printer_Y(3160), 5940);
    EXPECT_EQ(To_Printer_X(7843), 10212);
    EXPECT_EQ(To_Printer_Y(8036), 13254);
    EXPECT_EQ(To_Printer_X(0), 800);
    EXPECT_EQ(To_Printer_Y(0), 1200);
    // Halves go to the even neighbour: 1201.5 and 1204.5.
    EXPECT_EQ(To_Printer_Y(1), 1202);
    EXPECT_EQ(To_Printer_Y(3), 1204);
    m_state.PrintScaleX = 2.0;
    EXPECT_EQ(To_Printer_X(-400), 0);
}

} // namespace
