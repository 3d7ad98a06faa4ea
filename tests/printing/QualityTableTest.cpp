#include "PrintFixture.h"

#include "printing/Module_PrintTable_Quality.h"
#include "printing/PainterSurface.h"
#include "printing/RecordingSurface.h"

#include <QFileInfo>
#include <QPdfWriter>

#include <gtest/gtest.h>

using namespace Module_PrintTable;
using Op = RecordingSurface::Op;

namespace {
const QVariant Null;
constexpr int Fluorite = 31001; // keeps metal amounts
constexpr int Iron = 21001;     // keeps no metal amounts
} // namespace

class QualityTable : public PrintFixture
{
protected:
    RecordingSurface p;
    QList<Db::Error> errors;

    void print()
    {
        p.beginDocument();
        Print_Quality_Table(p, db(), Djh, errors);
        for (const Db::Error& e : errors)
            ADD_FAILURE() << e.description.toStdString();
    }

    QList<OreGroup> groups()
    {
        const Result<QList<OreGroup>> g = Read_Ore_Groups(db(), Djh);
        EXPECT_TRUE(g.ok());
        return g.valueOr({});
    }
};

TEST_F(QualityTable, WithoutQualityRowsOnlyTheHeaderPrints)
{
    addReserve(Iron, 20101, 1, "111", Null, 5, Null, 101);
    print();
    EXPECT_EQ(p.texts().size(), 2 + 2 + 3 + 3 + 3 * 3); // the header's lines and nothing else
    EXPECT_EQ(p.ops.last().kind, Op::Kind::EndDocument);
    EXPECT_EQ(p.sheetCount(), 1);
}

TEST_F(QualityTable, GroupsFollowRunsOfOneKey)
{
    // Leading rows of mineral 0 go into the group that follows; a key seen again
    // after another opens a group of its own; an all-Null component gives "  ".
    addQuality(0, "20101", "1", "TFe", 12.5, "%", false, 100);
    addQuality(Iron, "20101", "1", "TFe", 30, "%", false, 101);
    addQuality(Iron, "20101", "1", Null, Null, Null, false, 102);
    addQuality(Iron, "20102", "2", "S", 0.1234567, "%", false, 201);
    addQuality(Iron, "20101", "1", "P", 0.05, "%", false, 301);
    addQuality(Iron, "平均", "全区", "TFe", 28, "%", true, 401);
    const QList<OreGroup> g = groups();
    ASSERT_EQ(g.size(), 4);
    EXPECT_EQ(g[0].lines, QStringLiteral("TFe 12.5 %\nTFe 30 %\n  \n"));
    EXPECT_EQ(g[2].oreType, QStringLiteral("20101"));
    EXPECT_TRUE(g[3].average);

    QList<Db::Error> e;
    EXPECT_EQ(Quality_Text(g[1], e), QStringLiteral("(1)赤铁矿石\n(2)炼铁用铁矿石\n(3)\nS 0.1235 %\n"));
    // An average group shows its stored descriptions.
    EXPECT_EQ(Quality_Text(g[3], e).left(16), QStringLiteral("(1)平均\n(2)全区\n(3)\n"));
    EXPECT_TRUE(e.isEmpty());
}

TEST_F(QualityTable, FigureRowsOfACompositionGroup)
{
    addQuality(Iron, "20101", "1", "TFe", 30, "%", false, 101);
    addReserve(Iron, 20101, 1, "111", 99, 0, "333", 101);
    addReserve(Iron, 20101, 1, Null, 99, 7.25, Null, 102);
    addReserve(Iron, 20101, 1, "122", 1, 2, Null, 103, "4510104082009"); // deduction row: never printed
    addReserve(Iron, 20102, 1, "121", 1, 2, Null, 104);                  // other type
    const GroupRows r = Read_Group_Rows(db(), Djh, groups().first(), errors);
    EXPECT_EQ(r.name, QStringLiteral("铁矿"));
    EXPECT_EQ(r.combination, QStringLiteral("单一"));
    EXPECT_EQ(r.unitFlag, 0);
    ASSERT_EQ(r.rows.size(), 2);
    // No metal without the unit flag; "0" prints as 0; a Null code empties its category.
    EXPECT_EQ(r.rows[0][0], QStringLiteral("111"));
    EXPECT_EQ(r.rows[0][1], QString());
    EXPECT_EQ(r.rows[0][2], QStringLiteral("0"));
    EXPECT_EQ(r.rows[0][6], QStringLiteral("333"));
    EXPECT_EQ(r.rows[0][8], QStringLiteral("10"));
    EXPECT_EQ(r.rows[1][0], QString());
    EXPECT_EQ(r.rows[1][2], QString());
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(QualityTable, SumsOfAnAverageGroup)
{
    addQuality(Fluorite, "平均", "全区", "CaF2", 40, "%", true, 101);
    const QStringList codes = {"111", "121", "122", "111b", "333", "334", "332"};
    int order = 101;
    for (const QString c : {"111", "121", "122"})
        addReserve(Fluorite, 20101, 1, c, 1.5, 2, Null, order++);
    addReserve(Fluorite, 20102, 2, "111", 1, 1, Null, order++); // other type: summed too
    addReserve(Fluorite, 20102, 2, "122", 1, 1, Null, order++, "4510104082009");
    for (const QString c : {"2S11", "2S21", "2S22", "331", "332", "333", "334"})
        exec(QStringLiteral(
                 "INSERT INTO 资源储量 (登记号, 矿产代码, 统计对象, 矿石类型, 矿石品级, 资源量类型, 矿石量3, "
                 "显示序号) VALUES (?, ?, 0, 1, 1, ?, 1, 900)"),
             {Djh, Fluorite, c});
    const GroupRows r = Read_Group_Rows(db(), Djh, groups().first(), errors);
    ASSERT_EQ(r.rows.size(), 6); // six resource codes at most
    EXPECT_EQ(r.rows[0][0], QStringLiteral("111"));
    EXPECT_EQ(r.rows[0][1], QStringLiteral("2.5"));
    EXPECT_EQ(r.rows[0][2], QStringLiteral("3"));
    EXPECT_EQ(r.rows[2][2], QStringLiteral("2")); // the deduction row is not in the sum
    EXPECT_EQ(r.rows[3][0], QString());
    EXPECT_EQ(r.rows[5][6], QStringLiteral("333"));
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(QualityTable, TypeThatIsNoNumberPrintsTheGroupWithoutRows)
{
    addQuality(Iron, "", "1", "TFe", 30, "%", false, 101);
    addReserve(Iron, 20101, 1, "111", Null, 5, Null, 101);
    print();
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_TRUE(p.findText(QStringLiteral("TFe 30 %")));
    EXPECT_FALSE(p.findText(QStringLiteral("111")));
}

TEST_F(QualityTable, ContinuationRowsCarryTheSpanningTexts)
{
    RecordingSurface s;
    TableState t;
    t.Table_Left = 1000;
    t.CellY2 = 3000;
    GroupRows rows;
    rows.name = QStringLiteral("铁矿");
    rows.rows.append({QStringLiteral("111"), {}, QStringLiteral("5")});
    // Seven lines beside one figure row: two continuation rows.
    Print_Reserve_Group(s, t, rows, QStringLiteral("(1)\n(2)\n(3)\na\nb\nc\n"));
    EXPECT_EQ(t.CellY2, 3000 + 3 * 680);
    EXPECT_TRUE(s.findText(QStringLiteral("a")));
    EXPECT_EQ(s.findText(QStringLiteral("a"))->y, 3680 + 30);
    // The spanning cells close only on the last row: bottom sides of cell 1 at 3000 + 3 * 680 only.
    int closing = 0, top = 0;
    for (const Op& l : s.lines()) {
        if (l.x == 1737 && l.x2 == 1000) {
            if (l.y == 3000 + 3 * 680)
                ++closing;
            else
                ++top;
        }
    }
    EXPECT_EQ(closing, 1);
    EXPECT_EQ(top, 0);
}

TEST_F(QualityTable, FortyRowsBreakIntoContinuationSheetsInsideThePage)
{
    for (int i = 0; i < 40; ++i) {
        addQuality(Fluorite, "20101", "1", QStringLiteral("组分%1").arg(i), 1, "%", false, 100 * (i + 1) + 1);
        addReserve(Fluorite, 20101, 1, "111", i, i + 1, "333", 100 * (i + 1) + 1);
    }
    print();
    EXPECT_GT(p.sheetCount(), 2);
    EXPECT_EQ(p.findText(QStringLiteral("4-1"))->sheet, 1);
    EXPECT_EQ(p.countText(QStringLiteral("4-") + QString::number(p.sheetCount() - 1)), 1);
    for (int sheet = 0; sheet < p.sheetCount(); ++sheet)
        EXPECT_LE(p.bottomOf(sheet), p.pageHeight()) << "sheet " << sheet;
    // Every figure row is printed once.
    EXPECT_EQ(p.countText(QStringLiteral("333")), 40);
    EXPECT_TRUE(p.findText(QStringLiteral("39")));
    // On a shorter page no row passes its bottom either.
    RecordingSurface small;
    small.paperH = 12000;
    small.beginDocument();
    Print_Quality_Table(small, db(), Djh, errors);
    EXPECT_LT(small.countText(QStringLiteral("333"), 1), p.countText(QStringLiteral("333"), 1));
    for (const Op& line : small.lines())
        EXPECT_LE(std::max(line.y, line.y2), small.pageHeight()) << "sheet " << line.sheet;
    EXPECT_EQ(small.countText(QStringLiteral("333")), 40);
}

TEST_F(QualityTable, FortyRowsToPdf)
{
    for (int i = 0; i < 40; ++i) {
        addQuality(Fluorite, "20101", "1", QStringLiteral("组分%1").arg(i), 1, "%", false, 100 * (i + 1) + 1);
        addReserve(Fluorite, 20101, 1, "111", i * 1000.5, i + 1, "333", 100 * (i + 1) + 1);
    }
    const QString dir = qEnvironmentVariable("ORVANE_PRINT_OUT", this->dir());
    const QString file = dir + QStringLiteral("/quality-table.pdf");
    {
        QPdfWriter pdf(file);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageMargins(QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
        PainterSurface s(pdf);
        s.beginDocument();
        Print_Quality_Table(s, db(), Djh, errors);
        EXPECT_TRUE(s.finish());
    }
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_GT(QFileInfo(file).size(), 1000);
}
