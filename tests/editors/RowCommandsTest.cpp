#include "EditorsFixture.h"

#include "editors/RowCommands.h"
#include "editors/RowLoading.h"
#include "support/FaultInjection.h"

// The writes of the row list: list picks with their key update, the tree choice,
// deleting, inserting and renumbering rows.
namespace {

using editors::RowGrid;
namespace RowCommands = editors::RowCommands;
using Pick = RowCommands::Pick;

class RowCommandsTest : public EditorsFixture
{
protected:
    void reload()
    {
        grid = RowGrid();
        grid.Clear_Row_Codes();
        ASSERT_TRUE(editors::RowLoading::Load_Rows(db(), DJH, grid).ok());
    }
    QStringList orders() { return column("select 显示序号 from 质量 order by 显示序号"); }

    RowGrid grid;
};

TEST_F(RowCommandsTest, AnOreTypePickMovesTheRowsOfItsKeyOnly)
{
    quality(21001, 0, "20101", "1", 101);
    quality(21001, 0, "20101", "1", 102);
    quality(21001, 0, "0", "0", 201, QStringLiteral("TFe"), true); // an average row
    reserve(21001, 0, 20101, 1);                                   // own, combination 1
    reserve(21001, 0, 20101, 1, 1, "单一矿产", QStringLiteral("510104009"));
    reserve(21001, 0, 20101, 1, 4, "伴生矿产"); // another combination
    reload();

    const auto pick = RowCommands::List_Pick(db(), DJH, grid, 1, 1, "20103. 菱铁矿石");
    ASSERT_TRUE(pick.ok());
    EXPECT_EQ(*pick, Pick::Updated);
    EXPECT_EQ(grid.text(1, RowGrid::OreType), "菱铁矿石");
    EXPECT_EQ(grid.code(1, RowGrid::OreType), 20103);
    EXPECT_EQ(column("select 矿石类型 from 质量 order by 显示序号"), QStringList({"20103", "20103", "0"}));
    EXPECT_EQ(column("select 矿石类型 from 资源储量 order by rowid"),
              QStringList({"20103", "20101", "20101"}))
        << "deductions and other combinations keep their type";

    // The average row moves only its average records.
    const auto grade = RowCommands::List_Pick(db(), DJH, grid, 2, 2, "3. 需选铁矿石");
    ASSERT_TRUE(grade.ok());
    EXPECT_EQ(column("select 矿石品级 from 质量 order by 显示序号"), QStringList({"1", "1", "3"}));
}

TEST_F(RowCommandsTest, PicksThatChangeNothingOrWouldDuplicateARow)
{
    quality(21001, 0, "20101", "1", 101);
    quality(21001, 0, "20101", "2", 201);
    quality(21001, 0, "20102", "2", 301);
    quality(21001, 0, "20101", "3", 401);
    reserve(21001, 0, 20101, 1, 1);
    reserve(21001, 0, 20101, 3, 4, "伴生矿产");
    reload();

    // Grade 3 makes row 1 equal to row 4, whatever their combinations.
    const auto dup = RowCommands::List_Pick(db(), DJH, grid, 1, 2, "3. 需选铁矿石");
    ASSERT_TRUE(dup.ok());
    EXPECT_EQ(*dup, Pick::Duplicate);
    EXPECT_EQ(grid.Dup_Row, 4);
    EXPECT_EQ(grid.code(1, RowGrid::OreGrade), 1);

    // The grade the row has: only the text.
    grid.setText(1, RowGrid::OreGrade, "x");
    const auto same = RowCommands::List_Pick(db(), DJH, grid, 1, 2, "1. 炼钢用铁矿石");
    ASSERT_TRUE(same.ok());
    EXPECT_EQ(*same, Pick::TextOnly);
    EXPECT_EQ(grid.text(1, RowGrid::OreGrade), "炼钢用铁矿石");

    // The coal summary grades cannot be picked.
    grid.setCode(1, RowGrid::Mineral, 11001);
    EXPECT_EQ(*RowCommands::List_Pick(db(), DJH, grid, 1, 2, "51. 炼焦用煤"), Pick::Ignored);
    grid.setCode(1, RowGrid::Mineral, 21001);

    // A mineral chosen in the tree is tested the same way.
    RowGrid::Key key = grid.key(3);
    grid.setText(5, RowGrid::Mineral, "铜矿");
    grid.setCode(5, RowGrid::Mineral, 22001);
    grid.setCode(5, RowGrid::OreType, key.type);
    grid.setCode(5, RowGrid::OreGrade, key.grade);
    EXPECT_EQ(RowCommands::Tree_Pick(grid, 5, {21001, 0, "铁矿", "千吨"}), Pick::Duplicate);
    EXPECT_EQ(grid.Dup_Row, 3);
    EXPECT_EQ(grid.text(5, RowGrid::Mineral), "铜矿");
    EXPECT_EQ(RowCommands::Tree_Pick(grid, 5, {23001, 2, "金矿", "砂金  千克/千立方米"}), Pick::Updated);
    EXPECT_EQ(grid.code(5, RowGrid::Object), 2);
    EXPECT_EQ(grid.text(5, RowGrid::Object), "砂金  千克/千立方米");
}

TEST_F(RowCommandsTest, ACombinationSpreadsOverEveryRowOfTheMineral)
{
    quality(21001, 0, "20101", "1", 101);
    quality(22001, 0, "10001", "32", 201);
    quality(21001, 0, "20102", "1", 301);
    reserve(21001, 0, 20101, 1, 1);
    reserve(21001, 0, 20102, 2, 1);
    reserve(21001, 0, 20102, 2, 1, "单一矿产", QStringLiteral("510104009"));
    reload();

    ASSERT_EQ(*RowCommands::List_Pick(db(), DJH, grid, 3, 0, "3. 共生矿产"), Pick::Updated);
    EXPECT_EQ(grid.text(1, RowGrid::Combination), "共生矿产");
    EXPECT_EQ(grid.code(1, RowGrid::Combination), 3);
    EXPECT_EQ(grid.text(2, RowGrid::Combination), "");
    EXPECT_EQ(column("select 矿产组合码 || 矿产组合 from 资源储量 order by rowid"),
              QStringList({"3共生矿产", "3共生矿产", "1单一矿产"}));

    // Code 0 changes nothing.
    ASSERT_TRUE(RowCommands::Update_Row_Key(db(), DJH, grid, 1, 0, 0, "").ok());
    EXPECT_EQ(grid.code(3, RowGrid::Combination), 3);
}

TEST_F(RowCommandsTest, AFailedKeyUpdateLeavesBothTablesAsTheyWere)
{
    quality(21001, 0, "20101", "1", 101);
    reserve(21001, 0, 20101, 1);
    reload();
    exec("CREATE TRIGGER refuse BEFORE UPDATE ON 资源储量 BEGIN SELECT RAISE(ABORT, '拒绝'); END");

    const auto pick = RowCommands::List_Pick(db(), DJH, grid, 1, 1, "20103. 菱铁矿石");
    ASSERT_FALSE(pick.ok());
    EXPECT_TRUE(pick.error().description.contains("拒绝"));
    EXPECT_EQ(column("select 矿石类型 from 质量"), QStringList({"20101"}));
    EXPECT_EQ(grid.code(1, RowGrid::OreType), 20101);
    EXPECT_EQ(grid.text(1, RowGrid::OreType), "磁铁矿石");
}

TEST_F(RowCommandsTest, DeletingARowRemovesItsRecordsAndRenumbersTheRowsBelow)
{
    quality(21001, 0, "20101", "1", 101);
    quality(21001, 0, "20101", "2", 201);
    quality(21001, 0, "20101", "2", 202);
    quality(21001, 0, "20101", "3", 301);
    quality(21001, 0, "20101", "3", 305);
    quality(21001, 0, "-", "-", 401, QStringLiteral("TFe"), true);
    reserve(21001, 0, 20101, 2);
    reserve(21001, 0, 20101, 2, 1, "单一矿产", QStringLiteral("510104009"));
    reload();

    const auto deleted = RowCommands::Delete_Row(db(), DJH, grid, 2);
    ASSERT_TRUE(deleted.ok());
    EXPECT_EQ(*deleted, 3);
    EXPECT_EQ(orders(), QStringList({"101", "201", "205", "301"}));
    EXPECT_EQ(column("select 扣矿区编号 from 资源储量"), QStringList({"510104009"}));
    EXPECT_EQ(grid.code(2, RowGrid::OreGrade), 3);
    EXPECT_EQ(grid.text(3, RowGrid::Quality), "平均含量");
    EXPECT_FALSE(grid.hasMineral(4));
    EXPECT_EQ(grid.code(4, RowGrid::Mineral), 0);

    // An average row goes with all its average records, whatever their type.
    ASSERT_TRUE(RowCommands::Delete_Row(db(), DJH, grid, 3).ok());
    EXPECT_EQ(column("select count(*) from 质量 where 均值标识=1"), QStringList({"0"}));
}

TEST_F(RowCommandsTest, InsertingARowRenumbersTheRowsBelowAndKeepsTheirItems)
{
    for (int i = 1; i <= 11; ++i)
        quality(21001, 0, QString::number(20100 + i), "1", 100 * i + (i == 11 ? 5 : 1));
    reload();

    const auto inserted = RowCommands::Insert_Row(db(), DJH, grid, 2);
    ASSERT_TRUE(inserted.ok());
    EXPECT_TRUE(*inserted);
    EXPECT_FALSE(grid.hasMineral(2));
    EXPECT_EQ(grid.code(2, RowGrid::OreType), 0);
    EXPECT_EQ(grid.code(3, RowGrid::OreType), 20102);
    EXPECT_EQ(grid.text(3, RowGrid::Number), "3");
    EXPECT_EQ(orders().first(), "101");
    EXPECT_EQ(orders().value(1), "301");
    EXPECT_EQ(orders().last(), "1205");

    // A full grid refuses.
    for (int r = 1; r <= RowGrid::LastRow; ++r)
        grid.setText(r, RowGrid::Mineral, "铁矿");
    const auto full = RowCommands::Insert_Row(db(), DJH, grid, 2);
    ASSERT_TRUE(full.ok());
    EXPECT_FALSE(*full);
}

TEST_F(RowCommandsTest, InsertingWithTwentyFourRowsRenumbersTheLastIntoRowTwentyFive)
{
    QStringList expected;
    for (int i = 1; i <= 24; ++i) {
        quality(21001, 0, QString::number(20100 + i), "1", 100 * i + 1);
        expected << QString::number(100 * (i + 1) + 1);
    }
    reload();
    ASSERT_TRUE(*RowCommands::Insert_Row(db(), DJH, grid, 1));
    EXPECT_EQ(grid.code(25, RowGrid::OreType), 20124);
    EXPECT_EQ(orders(), expected);
}

TEST_F(RowCommandsTest, AFailedDeleteOrInsertLeavesTheGridAndTablesAsTheyWere)
{
    quality(21001, 0, "20101", "1", 101);
    quality(21001, 0, "20101", "2", 201);
    quality(21001, 0, "20101", "3", 301);
    reserve(21001, 0, 20101, 2);
    reload();
    const auto cells = [](const RowGrid& g) {
        QStringList out;
        for (int r = 0; r <= RowGrid::LastRow; ++r)
            for (int c = 0; c < RowGrid::Columns; ++c)
                out << g.text(r, c) + '|' + QString::number(g.code(r, c));
        return out;
    };
    const QString tables = "select (select group_concat(显示序号) from 质量) || '/' || "
                           "(select count(*) from 资源储量)";
    const QStringList gridBefore = cells(grid);
    const QStringList tablesBefore = column(tables);

    using K = FaultInjection::Kind;
    struct Case
    {
        bool insert;
        QString table; // empty: the commit fails
        K kind;
    };
    const Case cases[] = {{false, "质量", K::Delete}, {false, "资源储量", K::Delete},
                          {false, "质量", K::Update}, // the renumbering after the reload
                          {false, "", K::Delete},     {true, "质量", K::Update},
                          {true, "", K::Update}};
    for (const Case& c : cases) {
        SCOPED_TRACE((c.insert ? "insert " : "delete ") + c.table.toStdString() + " " +
                     FaultInjection::kindName(c.kind).toStdString());
        FaultInjection faults(db());
        if (c.table.isEmpty())
            faults.failCommit();
        else
            faults.failOn(c.table, c.kind);
        const bool done = c.insert ? RowCommands::Insert_Row(db(), DJH, grid, 2).ok()
                                   : RowCommands::Delete_Row(db(), DJH, grid, 2).ok();
        EXPECT_FALSE(done);
        faults.clear();
        EXPECT_EQ(cells(grid), gridBefore);
        EXPECT_EQ(column(tables), tablesBefore);
    }
}

TEST_F(RowCommandsTest, RowsWithoutDataAreNamedBeforeEveryCommand)
{
    quality(21001, 0, "20101", "1", 101);
    reload();
    grid.setText(2, RowGrid::Mineral, "铜矿");
    grid.setText(3, RowGrid::Mineral, "金矿");
    grid.setText(3, RowGrid::Reserve, "有");
    grid.setText(4, RowGrid::Mineral, "银矿");
    EXPECT_EQ(RowCommands::Unsaved_Rows(grid), QStringList({"铜矿", "银矿"}));
}

} // namespace
