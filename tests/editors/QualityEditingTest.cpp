#include "EditorsFixture.h"

#include "editors/QualityEditing.h"

// The ore-quality records of one ore row: load, check, save and delete.
namespace {

using namespace editors::QualityEditing;

class QualityEditingTest : public EditorsFixture
{
protected:
    Key componentKey() const { return Key{DJH, 21001, 0, 20101, 1, false}; }
    Key averageKey() const { return Key{DJH, 21001, 0, 0, 0, true}; }
    Sheet sheetOf(const QList<Component>& rows)
    {
        Sheet s;
        for (int i = 0; i < rows.size(); ++i)
            s.rows[i] = rows[i];
        return s;
    }
};

TEST_F(QualityEditingTest, LoadShowsTheFirstTenRecordsAndTheKeyWhenThereIsNone)
{
    const auto empty = Load_Quality(db(), componentKey());
    ASSERT_TRUE(empty.ok());
    EXPECT_EQ(empty->records, 0);
    EXPECT_EQ(empty->sheet.typeText, "20101");
    EXPECT_EQ(empty->sheet.gradeText, "1");
    EXPECT_EQ(Load_Quality(db(), averageKey())->sheet.typeText, "0");

    const QVariantList values{QVariant(), 0, 2.5, 3, 1.234567};
    for (int i = 0; i < 12; ++i)
        exec("INSERT INTO 质量 (登记号, 矿产代码, 统计对象, 矿石类型, 矿石品级, 组分名, 组分值, 组分单位, "
             "均值标识, "
             "显示序号) VALUES (?, 21001, 0, '20101', '1', ?, ?, '%', 0, ?)",
             {DJH, QStringLiteral("C%1").arg(i + 1), values.value(i), 112 - i});
    const auto loaded = Load_Quality(db(), componentKey());
    ASSERT_TRUE(loaded.ok());
    EXPECT_EQ(loaded->records, 12);
    EXPECT_EQ(loaded->sheet.rows[0].name, "C12") << "in 显示序号 order";
    EXPECT_EQ(loaded->sheet.rows[9].name, "C3");
    EXPECT_EQ(loaded->sheet.rows[9].value, "2.5");
    EXPECT_EQ(loaded->sheet.rows[8].value, "3");
    EXPECT_EQ(loaded->sheet.rows[7].value, "1.2346");
    EXPECT_EQ(Load_Quality(db(), averageKey())->records, 0) << "the average key is another key";

    // The two records the sheet cannot show are not given up by a save.
    const auto saved = Save_Quality(db(), componentKey(), loaded->sheet, 100);
    ASSERT_FALSE(saved.ok());
    EXPECT_EQ(saved.error().description, "组分含量数据超过10组，不能在此保存！");
    EXPECT_EQ(column("select count(*) from 质量"), QStringList({"12"}));
}

TEST_F(QualityEditingTest, CheckBeforeSaving)
{
    Sheet s = sheetOf({{"TFe", "30", "%"}, {"S", "0.2", ""}, {"P", "x", "%"}});
    EXPECT_EQ(Check_Quality(s, false).problem, Problem::Incomplete);
    EXPECT_EQ(Check_Quality(s, false).row, 2);
    s.rows[1].unit = "%";
    const Check notNumber = Check_Quality(s, false);
    EXPECT_EQ(notNumber.problem, Problem::NotNumeric);
    EXPECT_EQ(notNumber.row, 3);
    s.rows[2].value = " 1.5 ";
    s.rows[4] = {" ", " ", " "};
    EXPECT_EQ(Check_Quality(s, false).problem, Problem::None) << "blank rows pass";
    EXPECT_FALSE(Check_Quality(s, false).remindDescriptions);
    s.typeText = " ";
    s.gradeText = "";
    EXPECT_TRUE(Check_Quality(s, true).remindDescriptions);
    EXPECT_EQ(Check_Quality(Sheet(), false).problem, Problem::None);

    EXPECT_FALSE(valueWarns("12."));
    EXPECT_FALSE(valueWarns("  "));
    EXPECT_TRUE(valueWarns("12a"));
    EXPECT_FALSE(valueWarns(" 12 "));
}

TEST_F(QualityEditingTest, SaveReplacesTheRecordsAndKeepsRowNumbers)
{
    quality(21001, 0, "20101", "1", 101, QStringLiteral("旧"));
    quality(21001, 0, "20101", "1", 102, QStringLiteral("旧"));
    quality(21001, 0, "20102", "1", 201, QStringLiteral("别的"));
    const Sheet s = sheetOf({{" TFe", "30.5", "%"}, {"S", "0.2", "%"}, {}, {"P", "0.01", "%"}});
    const auto saved = Save_Quality(db(), componentKey(), s, 100);
    ASSERT_TRUE(saved.ok());
    EXPECT_EQ(*saved, "有");
    EXPECT_EQ(column("select 显示序号 || 组分名 from 质量 where 矿石类型='20101' order by 显示序号"),
              QStringList({"101 TFe", "102S", "104P"}));
    EXPECT_EQ(column("select 组分值 from 质量 where 显示序号=101"), QStringList({"30.5"}));
    EXPECT_EQ(column("select count(*) from 质量 where 矿石类型='20102'"), QStringList({"1"}));

    // Reopened, the rows close up and number from 1 again.
    const auto reloaded = Load_Quality(db(), componentKey());
    ASSERT_TRUE(reloaded.ok());
    ASSERT_TRUE(Save_Quality(db(), componentKey(), reloaded->sheet, 100).ok());
    EXPECT_EQ(column("select 显示序号 from 质量 where 矿石类型='20101' order by 显示序号"),
              QStringList({"101", "102", "103"}));

    // Average rows carry the descriptions, empty ones included.
    Sheet average = sheetOf({{"TFe", "28", "%"}});
    ASSERT_EQ(*Save_Quality(db(), averageKey(), average, 300), "平均含量");
    EXPECT_EQ(column("select 矿石类型 || '|' || 矿石品级 || '|' || 显示序号 from 质量 where 均值标识=1"),
              QStringList({"||301"}));

    // A save of blank rows removes the records and clears the marker.
    const auto cleared = Save_Quality(db(), componentKey(), Sheet(), 100);
    ASSERT_TRUE(cleared.ok());
    EXPECT_EQ(*cleared, "");
    EXPECT_EQ(column("select count(*) from 质量 where 矿石类型='20101'"), QStringList({"0"}));

    ASSERT_TRUE(Delete_Quality(db(), averageKey()).ok());
    EXPECT_EQ(column("select count(*) from 质量 where 均值标识=1"), QStringList({"0"}));
}

TEST_F(QualityEditingTest, ASheetOfExactlyTenRecordsSavesAgain)
{
    Sheet full;
    for (int i = 0; i < ComponentRows; ++i)
        full.rows[i] = {QStringLiteral("C%1").arg(i + 1), QString::number(i), QStringLiteral("%")};
    for (int save = 1; save <= 2; ++save) {
        const auto saved = Save_Quality(db(), componentKey(), full, 100);
        ASSERT_TRUE(saved.ok()) << "save " << save << ": " << saved.error().description.toStdString();
        EXPECT_EQ(column("select count(*) from 质量"), QStringList({"10"}));
    }
}

TEST_F(QualityEditingTest, AFailedSaveLeavesTheRecordsAsTheyWere)
{
    quality(21001, 0, "20101", "1", 101, QStringLiteral("旧"));
    exec("CREATE TRIGGER refuse BEFORE INSERT ON 质量 WHEN NEW.组分名='P' BEGIN SELECT RAISE(ABORT, '拒绝'); "
         "END");
    const auto saved = Save_Quality(db(), componentKey(), sheetOf({{"TFe", "1", "%"}, {"P", "2", "%"}}), 100);
    ASSERT_FALSE(saved.ok());
    EXPECT_EQ(column("select 组分名 from 质量"), QStringList({"旧"}));
}

TEST_F(QualityEditingTest, ItemListsOfTheMineral)
{
    const auto names = Fill_Item_List(db(), 0, 21002);
    ASSERT_TRUE(names.ok());
    EXPECT_EQ(*names, QStringList({"", "Mn（锰）", "TFe（全铁）", "P（磷）"}));
    const auto units = Fill_Item_List(db(), 1, 21005);
    ASSERT_TRUE(units.ok());
    EXPECT_EQ(*units, QStringList({"", "%", "kg/m3"}));
    EXPECT_EQ(pickedText(0, "TFe（全铁）"), "TFe");
    EXPECT_EQ(pickedText(0, "TFe"), "TFe");
    EXPECT_EQ(pickedText(1, "kg/m3"), "kg/m3");
}

} // namespace
