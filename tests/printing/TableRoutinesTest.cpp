#include "printing/Module_PrintTable_Cells.h"
#include "printing/Module_PrintTable_Fit.h"
#include "printing/RecordingSurface.h"

#include "coords/PrintTransform.h"
#include "registration/form/FormLayout.h"

#include <gtest/gtest.h>

using namespace Module_PrintTable;
using Op = RecordingSurface::Op;

TEST(TableRoutines, CentimetresAndLineCounts)
{
    EXPECT_EQ(Cm_To_Twips(1.0f), 567);
    EXPECT_EQ(Cm_To_Twips(1.2f), 680);
    EXPECT_EQ(Cm_To_Twips(14.0f), 7937);
    EXPECT_EQ(Cm_To_Twips(24.0f), 13606);

    const QString lf = QStringLiteral("\n");
    EXPECT_EQ(Count_Lines(QString(), lf), 1);
    EXPECT_EQ(Count_Lines(QStringLiteral("abc"), lf), 1);
    EXPECT_EQ(Count_Lines(QStringLiteral("a\nb"), lf), 2);
    EXPECT_EQ(Count_Lines(QStringLiteral("a\nb\n"), lf), 3); // the trailing feed adds an empty piece
}

TEST(TableRoutines, WrapBreaksOnceTheLineHasReachedTheWidth)
{
    RecordingSurface p; // 9 pt: "中" 180 twips, "1" 90
    int lines = 0;
    QString wrapped;
    // Narrower than one character: one on the first line, then a break before each.
    Wrap_Text(p, 50, QStringLiteral("中文字"), lines, wrapped);
    EXPECT_EQ(wrapped, QStringLiteral("中\n文\n字"));
    EXPECT_EQ(lines, 3);
    // The line may pass the width by one character; line feeds of the text stay.
    Wrap_Text(p, 200, QStringLiteral("煤炭资源\n甲"), lines, wrapped);
    EXPECT_EQ(wrapped, QStringLiteral("煤炭\n资源\n甲"));
    EXPECT_EQ(lines, 3);
}

TEST(TableRoutines, CellPrintsItsTextAndFlaggedSides)
{
    RecordingSurface p;
    TableState t;
    t.CellX1 = 1000, t.CellY1 = 2000, t.CellX2 = 1500, t.CellY2 = 2680;

    // An empty text draws only the sides.
    QString text;
    Print_Cell(p, t, text, AlignCentre);
    EXPECT_TRUE(p.texts().isEmpty());
    ASSERT_EQ(p.lines().size(), 4);
    EXPECT_EQ(p.lines()[0].y, 2000); // top first
    EXPECT_EQ(p.lines()[0].y2, 2000);

    // No sides with all flags 0; the text is consumed.
    p.ops.clear();
    t.CellBorders = {0, 0, 0, 0};
    text = QStringLiteral("111");
    Print_Cell(p, t, text, AlignTopLeft);
    EXPECT_TRUE(text.isEmpty());
    EXPECT_TRUE(p.lines().isEmpty());
    ASSERT_EQ(p.texts().size(), 1);
    EXPECT_EQ(p.texts()[0].x, 1030);
    EXPECT_EQ(p.texts()[0].y, 2030);

    // Centred wider than the cell: starts left of its left edge.
    p.ops.clear();
    text = QStringLiteral("1234567890");
    Print_Cell(p, t, text, AlignCentre);
    EXPECT_LT(p.texts()[0].x, 1000);

    // Lines of a block all start at the x of the first line; other codes print nothing.
    p.ops.clear();
    text = QStringLiteral("12\n1\n1");
    Print_Cell(p, t, text, AlignTopLeft);
    ASSERT_EQ(p.texts().size(), 3);
    EXPECT_EQ(p.texts()[2].x, 1030);
    EXPECT_EQ(p.texts()[2].y, 2030 + 2 * (180 + 20));
    p.ops.clear();
    text = QStringLiteral("a\nb");
    Print_Cell(p, t, text, 2);
    EXPECT_TRUE(p.texts().isEmpty());
    EXPECT_TRUE(text.isEmpty());
}

TEST(TableRoutines, HeaderOnTheFirstAndOnAContinuationSheet)
{
    RecordingSurface p;
    TableState t;
    Print_Table_Header(p, t, false);
    const int left = To_Printer_X(FormLayout::find(QStringLiteral("Shape1"), 0)->left);
    const int top = To_Printer_Y(FormLayout::find(QStringLiteral("THFLEX"))->top);
    EXPECT_FALSE(t.TableHeaderMode);
    EXPECT_EQ(t.CellY2, top + 1134);
    // 16.44 cm wide: the last cell ends at the sum of the rounded widths.
    EXPECT_EQ(t.CellX2, left + 737 + 737 + 964 + 1780 + 3 * (567 + 1134));

    // The three lines of the statistics-object title start at one x, centred by the
    // first line measured with "中".
    const Op* first = p.findText(QStringLiteral("统计对"));
    const Op* last = p.findText(QStringLiteral("位"));
    ASSERT_TRUE(first && last);
    EXPECT_EQ(first->x, last->x);
    EXPECT_EQ(first->x, left + 737 + 737 + (964 - 3 * 180) / 2);
    EXPECT_EQ(p.countText(QStringLiteral("编码")), 3);
    EXPECT_EQ(p.countText(QStringLiteral("数 量")), 3);

    p.ops.clear();
    Print_Table_Header(p, t, true);
    EXPECT_EQ(p.findText(QStringLiteral("储 量"))->y, 1328); // 1134 + 193.5, halves to even
    EXPECT_EQ(t.CellY2, 2 * 1134);
}
