#include "support/ProgramFolder.h"

#include "platform/Database.h"
#include "platform/Prompt.h"
#include "shell/KCUTIL_DicLists.h"

#include <QComboBox>

namespace {

const QString kStacked = QStringLiteral("吨\n──\n万吨");

class DictionaryTest : public ProgramFolder
{
protected:
    void SetUp() override
    {
        ProgramFolder::SetUp();
        openWorkingDatabase();
        run({QStringLiteral("delete from cb06 where 矿产代码 in (99001, 99002)"),
             QStringLiteral("insert into cb06 (矿产代码, 矿产名称, 统计对象, 计算对象名称, 金属量单位, 矿石量单位, 计算单位标识) "
                            "values (99001, '试铜', 1, '铜', '吨', '万吨', 1), (99001, '试铜', 2, '', '吨', '万吨', 1), "
                            "(99001, '试铜', 3, '矿石', '吨', '万吨', 0), (99001, '试铜', 4, '铜', '', '万吨', 1), "
                            "(99001, '试铜', 5, '铜', '吨', '万吨', NULL), (99002, '试金', 1, '金', '千克', '', 1)"),
             QStringLiteral("insert or replace into cb03 (矿产代码, 矿石品级, 矿石品级名称) values "
                            "(11001, 13, '无烟煤'), (11001, 14, '贫煤'), (99001, 13, '富矿')"),
             QStringLiteral("delete from cb01 where 表号 in (990, 991)"),
             QStringLiteral("insert into cb01 (表号, 表内码, 代码, 名称) values (990, 0, NULL, '标题'), "
                            "(990, 2, 99902, '乙'), (990, 1, 99901, '甲'), (991, 1, 99901, '重复')")});
    }
    void run(const QStringList& statements)
    {
        for (const QString& s : statements) ASSERT_TRUE(Db::exec(m_state.Cn(), s)) << s.toStdString();
    }
};

TEST_F(DictionaryTest, AMissingMineralGivesTheNoRowResults)
{
    Db::Error e;
    EXPECT_EQ(KCUTIL::Get_KCMC(99999, &e), QString());
    EXPECT_EQ(KCUTIL::Get_Calc_Object(99999, 1, &e), QString());
    EXPECT_EQ(KCUTIL::Get_Calc_Units(99999, 1, &e), QString());
    EXPECT_EQ(KCUTIL::Get_Cb06_Units(99999, &e), QString());
    EXPECT_FALSE(KCUTIL::Has_Multi_Objects(99999, &e));
    EXPECT_EQ(KCUTIL::Get_Calc_Unit_Flag(99999, 1, &e), 1);
    EXPECT_EQ(KCUTIL::Get_Ore_Type_Name(99999, 1, &e), QString());
    EXPECT_EQ(KCUTIL::Get_Cb01_Name(-5, &e), QString());
    EXPECT_FALSE(e.isSet());
}

TEST_F(DictionaryTest, NamesUnitsAndHeadings)
{
    EXPECT_EQ(KCUTIL::Get_KCMC(99001), QStringLiteral("试铜"));
    EXPECT_TRUE(KCUTIL::Has_Multi_Objects(99001));
    EXPECT_FALSE(KCUTIL::Has_Multi_Objects(99002));
    EXPECT_EQ(KCUTIL::Get_Cb06_Units(99001), QStringLiteral("吨/万吨"));
    EXPECT_EQ(KCUTIL::Get_Cb06_Units(99002), QStringLiteral("千克"));

    EXPECT_EQ(KCUTIL::Get_Calc_Object(99001, 1), QStringLiteral("铜\n") + kStacked);
    // Flag set, both units, no name: the stacked heading begins with the metal unit.
    EXPECT_EQ(KCUTIL::Get_Calc_Object(99001, 2), kStacked);
    // Flag 0: name, two blanks, ore unit.
    EXPECT_EQ(KCUTIL::Get_Calc_Object(99001, 3), QStringLiteral("矿石  万吨"));
    // Flag set but a unit missing: the unit there is.
    EXPECT_EQ(KCUTIL::Get_Calc_Object(99001, 4), QStringLiteral("铜  万吨"));
    EXPECT_EQ(KCUTIL::Get_Calc_Object(99002, 1), QStringLiteral("金  千克"));

    EXPECT_EQ(KCUTIL::Get_Calc_Units(99001, 1), QStringLiteral("铜\n吨/万吨"));
    EXPECT_EQ(KCUTIL::Get_Calc_Units(99002, 1), QStringLiteral("金  千克"));

    EXPECT_EQ(KCUTIL::Get_Calc_Unit_Flag(99001, 1), 1);
    EXPECT_EQ(KCUTIL::Get_Calc_Unit_Flag(99001, 3), 0);
    EXPECT_EQ(KCUTIL::Get_Calc_Unit_Flag(99001, 5), 0); // an empty flag reads as zero
}

TEST(DictionaryTexts, HeadingsAreTrimmedOfBlanksOnly)
{
    // Flag 0 without a name: two blanks and the ore unit, trimmed to the unit.
    EXPECT_EQ(KCUTIL::Calc_Object_Heading(QString(), QStringLiteral("吨"), QStringLiteral("万吨"), false),
              QStringLiteral("万吨"));
    EXPECT_EQ(KCUTIL::Calc_Object_Heading(QString(), QString(), QString(), false), QString());
    EXPECT_EQ(KCUTIL::Calc_Units_Text(QString(), QStringLiteral("吨"), QString()), QStringLiteral("吨"));
}

TEST_F(DictionaryTest, CoalGradesCarryTheirStandardOnlyInTheEditor)
{
    m_state.Edit_Open = -1;
    EXPECT_EQ(KCUTIL::Get_Ore_Grade_Name(11001, 13), QStringLiteral("无烟煤(58牌号)"));
    EXPECT_EQ(KCUTIL::Get_Ore_Grade_Name(11001, 14), QStringLiteral("贫煤(86牌号)"));
    EXPECT_EQ(KCUTIL::Get_Ore_Grade_Name(99001, 13), QStringLiteral("富矿"));
    EXPECT_EQ(KCUTIL::Get_Ore_Grade_Name(11001, 999), QString());
    m_state.Edit_Open = 0;
    EXPECT_EQ(KCUTIL::Get_Ore_Grade_Name(11001, 13), QStringLiteral("无烟煤"));
    EXPECT_EQ(KCUTIL::Get_Ore_Grade_Name(11001, 14), QStringLiteral("贫煤"));
}

TEST_F(DictionaryTest, GeneralCodesAndPickLists)
{
    // A code in two sub-tables: the row of the lower sub-table.
    EXPECT_EQ(KCUTIL::Get_Cb01_Name(99901), QStringLiteral("甲"));

    QComboBox box;
    KCUTIL::Fill_Dic_List(990, &box, QStringLiteral("cb01"));
    KCUTIL::Fill_Dic_List(990, &box, QStringLiteral("cb01"));
    QStringList items;
    for (int i = 0; i < box.count(); ++i) items << box.itemText(i);
    EXPECT_EQ(items, (QStringList{QString(), QStringLiteral("甲"), QStringLiteral("乙"), QString(),
                                  QStringLiteral("甲"), QStringLiteral("乙")}));
    EXPECT_EQ(KCUTIL::Dic_List_Entries(12345, QStringLiteral("cb01")), QStringList{QString()});

    Db::Error e;
    EXPECT_EQ(KCUTIL::Dic_List_Entries(990, QStringLiteral("cb01; drop table cb01"), &e), QStringList{QString()});
    EXPECT_EQ(e.description, QStringLiteral("未知的代码表：cb01; drop table cb01"));
    EXPECT_TRUE(Db::hasTable(m_state.Cn(), QStringLiteral("cb01")));
}

TEST_F(DictionaryTest, AFailingLookupShowsTheGenericErrorBox)
{
    run({QStringLiteral("drop table cb02")});
    EXPECT_EQ(KCUTIL::Get_Ore_Type_Name(11001, 30101), QString());
    ASSERT_EQ(Prompt::shown().size(), 1);
    EXPECT_EQ(Prompt::shown().first().title, QStringLiteral("Error"));
    EXPECT_TRUE(Prompt::shown().first().text.startsWith(QStringLiteral("Error # ")));
    EXPECT_TRUE(Prompt::shown().first().text.contains(QStringLiteral("cb02")));

    Prompt::clear();
    Db::Error e;
    EXPECT_EQ(KCUTIL::Get_Ore_Type_Name(11001, 30101, &e), QString());
    EXPECT_TRUE(e.isSet());
    EXPECT_TRUE(Prompt::shown().isEmpty());
}

} // namespace
