#include "EditorsFixture.h"

#include "editors/RowGrid.h"
#include "editors/RowLoading.h"

// Loading the row list of a registration, its gating of the cell button and the
// pick lists.
namespace {

using editors::RowGrid;
namespace RowLoading = editors::RowLoading;

class RowLoadingTest : public EditorsFixture
{
protected:
    RowGrid load()
    {
        RowGrid grid;
        grid.Clear_Row_Codes();
        const auto loaded = RowLoading::Load_Rows(db(), DJH, grid);
        EXPECT_TRUE(loaded.ok());
        if (loaded) groups = loaded->groups;
        return grid;
    }
    int groups = 0;
};

TEST_F(RowLoadingTest, RowsFollowTheKeysOfTheQualityRowsInTheirOrder)
{
    // A, A, B, A by 显示序号 give three rows; reserves alone make no row.
    quality(21001, 0, "20101", "1", 101);
    quality(21001, 0, "20101", "1", 102, QStringLiteral("P"));
    quality(21001, 0, "20102", "2", 201);
    quality(21001, 0, "20101", "1", 301);
    reserve(21001, 0, 20101, 1, 2, QStringLiteral("主矿产"));
    reserve(22001, 0, 10001, 32);

    const RowGrid g = load();
    EXPECT_EQ(groups, 3);
    EXPECT_EQ(g.text(1, RowGrid::Mineral), "铁矿");
    EXPECT_EQ(g.text(1, RowGrid::Object), "矿石  千吨");
    EXPECT_EQ(g.text(1, RowGrid::OreType), "磁铁矿石");
    EXPECT_EQ(g.text(1, RowGrid::OreGrade), "炼钢用铁矿石");
    EXPECT_EQ(g.text(1, RowGrid::Combination), "主矿产");
    EXPECT_EQ(g.code(1, RowGrid::Combination), 2);
    EXPECT_EQ(g.text(1, RowGrid::Quality), "有");
    EXPECT_EQ(g.text(1, RowGrid::Reserve), "有");
    EXPECT_EQ(g.text(2, RowGrid::OreType), "赤铁矿石");
    EXPECT_EQ(g.text(2, RowGrid::Reserve), "") << "no own reserve row of that key";
    EXPECT_EQ(g.code(3, RowGrid::OreType), 20101);
    EXPECT_FALSE(g.hasMineral(4));
    EXPECT_EQ(g.text(4, RowGrid::Number), "4");
}

TEST_F(RowLoadingTest, AverageRowsAndRowsWithoutComponentsAndDeductions)
{
    quality(21001, 0, "块状富矿", "一级品", 101, QStringLiteral("TFe"), true);
    quality(23001, 1, "70000", "500", 201, QVariant());
    // A deduction does not mark the reserves but supplies the combination.
    reserve(23001, 1, 70000, 500, 3, QStringLiteral("共生矿产"), QStringLiteral("510104009"));
    exec("INSERT INTO 资源储量 (登记号, 矿产代码, 统计对象, 矿石类型, 矿石品级, 原登记号, 显示序号) "
         "VALUES (?, 23001, 1, 70000, 500, '1510104082003', 202)",
         {DJH});

    const RowGrid g = load();
    EXPECT_EQ(g.text(1, RowGrid::Quality), "平均含量");
    EXPECT_EQ(g.text(1, RowGrid::OreType), "");
    EXPECT_EQ(g.code(1, RowGrid::OreType), 0);
    EXPECT_EQ(g.text(1, RowGrid::Reserve), "");
    EXPECT_EQ(g.text(2, RowGrid::Object), "岩金\n千克/千吨");
    EXPECT_EQ(g.code(2, RowGrid::Object), 1);
    EXPECT_EQ(g.text(2, RowGrid::Quality), "") << "a row without component name";
    EXPECT_EQ(g.text(2, RowGrid::Reserve), "");
    EXPECT_EQ(g.text(2, RowGrid::Combination), "共生矿产");
}

TEST_F(RowLoadingTest, MoreThanTwentyFiveGroupsFillTheGridAndAreCounted)
{
    for (int i = 1; i <= 27; ++i)
        quality(21001, 0, QString::number(20100 + i), "1", 100 * i + 1);
    const RowGrid g = load();
    EXPECT_EQ(groups, 27);
    EXPECT_TRUE(g.hasMineral(25));
    EXPECT_EQ(g.code(25, RowGrid::OreType), 20125);
}

TEST_F(RowLoadingTest, CellButtonFollowsTheFillingOfTheRows)
{
    RowGrid g;
    // A fresh grid: only the mineral of row 1.
    EXPECT_EQ(g.cellButton(1, RowGrid::Mineral), "▼");
    for (int c = 2; c < RowGrid::Columns; ++c)
        EXPECT_EQ(g.cellButton(1, c), "") << c;
    EXPECT_EQ(g.cellButton(2, RowGrid::Mineral), "") << "rows fill from the top";

    g.setText(1, RowGrid::Mineral, "铁矿");
    g.setText(1, RowGrid::Quality, "平均含量");
    EXPECT_EQ(g.cellButton(3, RowGrid::Mineral), "") << "row 2 has no mineral";
    EXPECT_EQ(g.cellButton(2, RowGrid::Mineral), "▼");
    EXPECT_EQ(g.cellButton(1, RowGrid::Combination), "▼");
    EXPECT_EQ(g.cellButton(1, RowGrid::OreType), "");
    EXPECT_EQ(g.cellButton(1, RowGrid::OreGrade), "");
    EXPECT_EQ(g.cellButton(1, RowGrid::Reserve), "");
    EXPECT_EQ(g.cellButton(1, RowGrid::Quality), "...");
    EXPECT_EQ(g.cellButton(1, RowGrid::Mineral), "") << "stored data keeps the mineral";

    g.setText(1, RowGrid::Quality, "");
    EXPECT_EQ(g.cellButton(1, RowGrid::Mineral), "▼");
    EXPECT_EQ(g.cellButton(1, RowGrid::OreGrade), "▼");
    g.setText(1, RowGrid::Reserve, "有");
    EXPECT_EQ(g.cellButton(1, RowGrid::Mineral), "");
    EXPECT_EQ(g.cellButton(1, RowGrid::Reserve), "...");

    EXPECT_EQ(g.missingBeforeEditor(1, RowGrid::Quality), QStringList({"矿产组合", "统计对象及单位"}));
    EXPECT_EQ(g.missingBeforeEditor(1, RowGrid::Reserve),
              QStringList({"矿产组合", "统计对象及单位", "矿石类型"}));
}

TEST_F(RowLoadingTest, GridAndCodesClearAsLaidOut)
{
    RowGrid g;
    g.setText(3, RowGrid::Mineral, "铁矿");
    g.setCode(0, 1, 7);
    g.setCode(3, 1, 21001);
    g.setCode(3, 0, 9);
    g.Init_Grid();
    g.Clear_Row_Codes();
    EXPECT_EQ(g.text(3, RowGrid::Mineral), "");
    EXPECT_EQ(g.text(0, RowGrid::Mineral), "矿产代码及名称");
    EXPECT_EQ(g.text(25, RowGrid::Number), "25");
    EXPECT_EQ(g.code(3, 1), 0);
    EXPECT_EQ(g.code(0, 1), 7) << "row 0 and column 0 keep their codes";
    EXPECT_EQ(g.code(3, 0), 9);
}

TEST_F(RowLoadingTest, PickListsOfCombinationsTypesAndGrades)
{
    const auto combinations = RowLoading::Load_dic_List1(db(), 16, "cb01");
    ASSERT_TRUE(combinations.ok());
    EXPECT_EQ(combinations->value(0), "1. 单一矿产") << "no empty entry for the combinations";
    EXPECT_EQ(combinations->size(), 5);
    const auto reasons = RowLoading::Load_dic_List1(db(), 11, "cb01");
    ASSERT_TRUE(reasons.ok());
    EXPECT_EQ(reasons->value(0), "");
    EXPECT_FALSE(RowLoading::Load_dic_List1(db(), 16, "压覆").ok());

    const auto types = RowLoading::Load_Type_Grade_List(db(), 1, 21001);
    ASSERT_TRUE(types.ok());
    EXPECT_EQ(types->value(0), "");
    EXPECT_EQ(types->value(1), "20101. 磁铁矿石");

    // Coal lists the current ranks (14 and above) before the old ones.
    const auto coal = RowLoading::Load_Type_Grade_List(db(), 2, 11001);
    ASSERT_TRUE(coal.ok());
    EXPECT_EQ(coal->value(1), "14. 无烟煤");
    EXPECT_EQ(coal->value(19), "52. 非炼焦用煤");
    EXPECT_EQ(coal->value(20), "1. 无烟煤");
    EXPECT_EQ(coal->last(), "13. 未分牌号");

    const auto entry = RowLoading::parseEntry("20102. 赤铁矿石 ");
    EXPECT_EQ(entry.code, 20102);
    EXPECT_EQ(entry.name, "赤铁矿石");
}

} // namespace
