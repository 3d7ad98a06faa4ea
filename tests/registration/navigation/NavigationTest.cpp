// The registration-list filter and the navigation-tree builders, on a small
// database of overlay registrations in two provinces.

#include "registration/navigation/NavigationFixture.h"
#include "support/Unwrap.h"
#include "support/DamagedDatabase.h"
#include "support/SampleRegistrations.h"

#include "registration/navigation/NAVIGATE.h"
#include "registration/navigation/RegistrationFilter.h"

using namespace NAVIGATE;

namespace {

QStringList keysOf(const TreeNodes& nodes)
{
    QStringList keys;
    for (const TreeNode& n : nodes)
        keys << n.key;
    return keys;
}

QStringList textsOf(const TreeNodes& nodes)
{
    QStringList texts;
    for (const TreeNode& n : nodes)
        texts << n.text;
    return texts;
}

class NavigationTest : public NavigationFixture
{
protected:
    void SetUp() override
    {
        NavigationFixture::SetUp();
        addStandardRegistrations();
    }
};

} // namespace

TEST_F(NavigationTest, FlatListHoldsEveryOverlayRegistrationInOrderAndEndsWithTheClosingNode)
{
    const TreeNodes nodes = unwrap(Load_Tree_DJH(db(), RegistrationFilter())).nodes();
    ASSERT_EQ(nodes.size(), 6);
    EXPECT_EQ(nodes.at(0), (TreeNode{"4130102082001", "4130102082001", "4130102082001", ""}));
    EXPECT_EQ(keysOf(nodes), (QStringList{"4130102082001", "4510104082001", "4510104082002", "4510104102003",
                                          "4510105092001", ""}));
    EXPECT_EQ(nodes.last(), (TreeNode{"", "...", "...", ""}));
}

TEST_F(NavigationTest, EmptyDatabaseGivesOnlyTheClosingNodeInFlatListsAndNothingElsewhere)
{
    exec("DELETE FROM 压覆");
    EXPECT_EQ(textsOf(unwrap(Load_Tree_DJH(db(), RegistrationFilter())).nodes()), QStringList{"..."});
    EXPECT_EQ(textsOf(unwrap(Load_Tree_DJH_XZQ(db(), "510104", RegistrationFilter())).nodes()), QStringList{"..."});
    EXPECT_TRUE(unwrap(Load_Tree_XZQ(db(), RegistrationFilter())).nodes().isEmpty());
    EXPECT_TRUE(unwrap(Load_Tree_KQ(db(), RegistrationFilter(), "1")).nodes().isEmpty());
}

TEST_F(NavigationTest, RegionListHoldsTheRegistrationsOfOneCounty)
{
    EXPECT_EQ(textsOf(unwrap(Load_Tree_DJH_XZQ(db(), "510104", RegistrationFilter())).nodes()),
              (QStringList{"4510104082001", "4510104082002", "4510104102003", "..."}));
    EXPECT_EQ(textsOf(unwrap(Load_Tree_DJH_XZQ(db(), "999999", RegistrationFilter())).nodes()), QStringList{"..."});
}

TEST_F(NavigationTest, RegionTreeNestsCountiesUnderCitiesUnderProvinces)
{
    const TreeNodes nodes = unwrap(Load_Tree_XZQ(db(), RegistrationFilter())).nodes();
    const TreeNodes expected = {
        {"A130000", "河北省(130000)", "", ""},        {"B130100", "石家庄市(130100)", "", "A130000"},
        {"C130102", "长安区(130102)", "", "B130100"}, {"A510000", "四川省(510000)", "", ""},
        {"B510100", "成都市(510100)", "", "A510000"}, {"C510104", "锦江区(510104)", "", "B510100"},
        {"C510105", "青羊区(510105)", "", "B510100"},
    };
    EXPECT_EQ(nodes, expected);
}

TEST_F(NavigationTest, RegionTreeLeavesOutCodesThatTheDictionaryDoesNotKnow)
{
    addRegistration({"4999999082001", 999999, "999999001", "无名矿区"});
    addReserve("4999999082001", 21001);
    EXPECT_FALSE(keysOf(unwrap(Load_Tree_XZQ(db(), RegistrationFilter())).nodes()).contains("C999999"));
    RegistrationFilter iron;
    iron.mineralCode = "21001";
    EXPECT_FALSE(keysOf(unwrap(Load_Tree_XZQ(db(), iron)).nodes()).contains("C999999"));
}

TEST_F(NavigationTest, RegionTreePutsACountyWithoutCityRowUnderItsProvince)
{
    // The districts of a municipality have no city row in the dictionary.
    exec("DELETE FROM cb08 WHERE DM = 110100");
    addRegistration({"4110101082001", 110101, QVariant(), QVariant(), QVariant(), QVariant(), QVariant()});
    addRegistration({"4110102082001", 110102, QVariant(), QVariant(), QVariant(), QVariant(), QVariant()});
    const TreeNodes nodes = unwrap(Load_Tree_XZQ(db(), RegistrationFilter())).nodes();
    ASSERT_GE(nodes.size(), 4);
    EXPECT_EQ(nodes.mid(0, 4), (TreeNodes{{"A110000", "北京市(110000)", "", ""},
                                          {"C110101", "东城区(110101)", "", "A110000"},
                                          {"C110102", "西城区(110102)", "", "A110000"},
                                          {"A130000", "河北省(130000)", "", ""}}));
}

TEST_F(NavigationTest, RegionTreeGroupsConsecutiveCountiesOfOneNameIntoOneNode)
{
    exec("UPDATE cb08 SET MC = '锦江区' WHERE DM = 510105");
    const TreeNodes nodes = unwrap(Load_Tree_XZQ(db(), RegistrationFilter())).nodes();
    EXPECT_TRUE(keysOf(nodes).contains("C510104"));
    EXPECT_FALSE(keysOf(nodes).contains("C510105"));
}

TEST_F(NavigationTest, MineTreeByNameShowsAreaNamesAndProjectNamesWithTheNumbersInTheTags)
{
    const TreeNodes nodes = unwrap(Load_Tree_KQ(db(), RegistrationFilter(), "1")).nodes();
    const TreeNodes expected = {
        {"A510104001", "锦江铁矿区", "510104001", ""},
        {"B5101040010", "0", "0", "A510104001"},
        {"C4510104082002", "4510104082002", "4510104082002", "B5101040010"},
        {"B5101040011", "1", "1", "A510104001"},
        {"C4510104082001", "成渝高速公路", "4510104082001", "B5101040011"},
        {"A510104002", "锦江铜矿区", "510104002", ""},
        {"B5101040021", "1", "1", "A510104002"},
        {"C4510104102003", "锦江大道", "4510104102003", "B5101040021"},
        {"A510105001", "青羊煤矿区", "510105001", ""},
        {"B5101050012", "2", "2", "A510105001"},
        {"C4510105092001", "青羊新区", "4510105092001", "B5101050012"},
    };
    EXPECT_EQ(nodes, expected);
}

// An area number typed with a blank after it, ASCII or ideographic, is the number
// without it.
TEST_F(NavigationTest, MineTreeTakesAreaNumbersWithoutTheBlanksAroundThem)
{
    const TreeNodes before = unwrap(Load_Tree_KQ(db(), RegistrationFilter(), "1")).nodes();
    exec("UPDATE 压覆 SET 矿区编号 = '510104001　' WHERE 登记号 = '4510104082001'");
    exec("UPDATE 压覆 SET 矿区编号 = '510105001 ' WHERE 登记号 = '4510105092001'");
    EXPECT_EQ(unwrap(Load_Tree_KQ(db(), RegistrationFilter(), "1")).nodes(), before);
}

TEST_F(NavigationTest, MineTreeByNumberExchangesTextAndTag)
{
    NodeTable byName = unwrap(Load_Tree_KQ(db(), RegistrationFilter(), "1"));
    const TreeNodes byNumber = unwrap(Load_Tree_KQ(db(), RegistrationFilter(), "0")).nodes();
    EXPECT_EQ(byNumber.at(0), (TreeNode{"A510104001", "510104001", "锦江铁矿区", ""}));
    EXPECT_EQ(byNumber.at(4), (TreeNode{"C4510104082001", "4510104082001", "成渝高速公路", "B5101040011"}));
    Swap_Labels(byName);
    EXPECT_EQ(byName.nodes(), byNumber);
}

TEST_F(NavigationTest, MineTreeOfOneCountyAndAreaShowsTheNameOfItsFirstRow)
{
    exec("UPDATE 压覆 SET 矿区名称 = '另一个名称' WHERE 登记号 = '4510104082001'");
    const TreeNodes nodes = unwrap(Load_Tree_KQ_XZQ(db(), "510104", RegistrationFilter(), "1")).nodes();
    EXPECT_EQ(keysOf(nodes), (QStringList{"A510104001", "B5101040010", "C4510104082002", "B5101040011",
                                          "C4510104082001", "A510104002", "B5101040021", "C4510104102003"}));
    // The first row of the area is the registration under mine 0.
    EXPECT_EQ(nodes.at(0).text, "锦江铁矿区");
    EXPECT_TRUE(unwrap(Load_Tree_KQ_XZQ(db(), "130102", RegistrationFilter(), "1")).nodes().isEmpty())
        << "a registration without a mining-area number is in no mine tree";
}

// The whole mining-area list is read in the order of an index, with or without a
// filter, never sorted afterwards: at a few hundred thousand registrations a sort
// takes seconds.
TEST_F(NavigationTest, MineTreeIsReadAlongAnIndexWithoutSorting)
{
    RegistrationFilter holder;
    holder.holder = QStringLiteral("某");
    for (const RegistrationFilter& f : {RegistrationFilter(), holder}) {
        const SqlPart query = Mine_Tree_Query(nullptr, f);
        auto plan = Db::exec(db(), QStringLiteral("EXPLAIN QUERY PLAN ") + query.sql, query.values);
        ASSERT_TRUE(plan.has_value());
        QString steps;
        while (plan->next())
            steps += plan->value(3).toString() + u'\n';
        EXPECT_FALSE(steps.contains(QStringLiteral("TEMP B-TREE"))) << steps.toStdString();
        EXPECT_TRUE(steps.contains(QStringLiteral(" INDEX "))) << steps.toStdString();
    }
}

TEST_F(NavigationTest, EachFilterFieldRestrictsTheList)
{
    const auto list = [this](const RegistrationFilter& f) {
        QStringList t = textsOf(unwrap(Load_Tree_DJH(db(), f)).nodes());
        t.removeLast();
        return t;
    };
    RegistrationFilter f;
    f.year = "2010";
    EXPECT_EQ(list(f), QStringList{"4510104102003"});
    f = {};
    f.number = "10509";
    EXPECT_EQ(list(f), QStringList{"4510105092001"});
    f = {};
    f.holder = "川";
    EXPECT_EQ(list(f), (QStringList{"4510104082001", "4510105092001"}));
    f = {};
    f.areaName = "铜";
    EXPECT_EQ(list(f), QStringList{"4510104102003"});
    f = {};
    f.projectName = "高速";
    EXPECT_EQ(list(f), QStringList{"4510104082001"});
    f = {};
    f.regionCode = "5101";
    EXPECT_EQ(list(f).size(), 4);
    f.regionCode = "10"; // a prefix, not a part anywhere in the code
    EXPECT_TRUE(list(f).isEmpty());
    f = {};
    f.areaNumber = "105001";
    EXPECT_EQ(list(f), QStringList{"4510105092001"});
    f = {};
    f.year = " 2008 ";
    f.regionCode = "510104";
    EXPECT_EQ(list(f), (QStringList{"4510104082001", "4510104082002"}));
}

TEST_F(NavigationTest, FilterTextsAreMatchedLiterally)
{
    RegistrationFilter f;
    f.holder = "x' OR '1'='1";
    EXPECT_EQ(textsOf(unwrap(Load_Tree_DJH(db(), f)).nodes()), QStringList{"..."});
    f.holder = "%";
    EXPECT_EQ(textsOf(unwrap(Load_Tree_DJH(db(), f)).nodes()), QStringList{"..."});
    exec("UPDATE 压覆 SET 矿业权人 = '100%_公司' WHERE 登记号 = '4510104082002'");
    f.holder = "0%_";
    EXPECT_EQ(textsOf(unwrap(Load_Tree_DJH(db(), f)).nodes()), (QStringList{"4510104082002", "..."}));
}

TEST_F(NavigationTest, MineralFilterRestrictsEveryBuilderAndListsARegistrationOnce)
{
    // 4510104082001 holds two reserve rows of iron, 4510105092001 one of iron and one of copper.
    RegistrationFilter iron;
    iron.mineralCode = "21001";
    EXPECT_EQ(textsOf(unwrap(Load_Tree_DJH(db(), iron)).nodes()), (QStringList{"4510104082001", "4510105092001", "..."}));
    EXPECT_EQ(textsOf(unwrap(Load_Tree_DJH_XZQ(db(), "510104", iron)).nodes()), (QStringList{"4510104082001", "..."}));
    EXPECT_EQ(keysOf(unwrap(Load_Tree_XZQ(db(), iron)).nodes()), (QStringList{"A510000", "B510100", "C510104", "C510105"}));
    EXPECT_EQ(keysOf(unwrap(Load_Tree_KQ(db(), iron, "1")).nodes()),
              (QStringList{"A510104001", "B5101040011", "C4510104082001", "A510105001", "B5101050012",
                           "C4510105092001"}));
    EXPECT_EQ(keysOf(unwrap(Load_Tree_KQ_XZQ(db(), "510105", iron, "0")).nodes()),
              (QStringList{"A510105001", "B5101050012", "C4510105092001"}));

    iron.year = "2009";
    EXPECT_EQ(textsOf(unwrap(Load_Tree_DJH(db(), iron)).nodes()), (QStringList{"4510105092001", "..."}));
    iron.mineralCode = "99999";
    EXPECT_EQ(textsOf(unwrap(Load_Tree_DJH(db(), iron)).nodes()), QStringList{"..."});
}

TEST_F(NavigationTest, ListStatementSelectsTheRegistrationsOfTheMineral)
{
    RegistrationFilter f;
    EXPECT_TRUE(f.listStatement().isEmpty());
    EXPECT_TRUE(f.isEmpty());
    f.mineralCode = "22001";
    f.holder = "四川";
    EXPECT_FALSE(f.isEmpty());
    const SqlPart part = f.listStatement();
    auto q = Db::exec(db(), part.sql, part.values);
    ASSERT_TRUE(q.has_value());
    QStringList found;
    while (q->next())
        found << q->value(0).toString();
    EXPECT_EQ(found, QStringList{"4510105092001"});
}

TEST_F(NavigationTest, WholeListComesFromTheRegistrationTableWithoutFilter)
{
    exec("INSERT INTO 登记 (登记号) VALUES ('1510104082001')"); // identified: not listed
    exec("INSERT INTO 登记 (登记号) VALUES ('4999999999999')"); // overlay number without 压覆 row
    EXPECT_EQ(textsOf(unwrap(All_Registrations(db())).nodes()),
              (QStringList{"4130102082001", "4510104082001", "4510104082002", "4510104102003",
                           "4510105092001", "4999999999999", "..."}));
}

TEST(NavigateHelpers, NodeRegistrationIsTheTextInFlatModesAndTheKeyInMineModes)
{
    EXPECT_EQ(Node_Registration(ModeDJH, "4510104082001", "4510104082001"), "4510104082001");
    EXPECT_EQ(Node_Registration(ModeXZQ_DJH, "", "..."), "...");
    EXPECT_EQ(Node_Registration(ModeKQ, "C4510104082001", "成渝高速公路"), "4510104082001");
    EXPECT_EQ(Node_Registration(ModeXZQ_KQ, "C4510104082001", "4510104082001"), "4510104082001");
}

TEST(NavigateHelpers, KeySuffixNeverMatchesEmptyKeysOrValues)
{
    EXPECT_TRUE(Key_Has_Suffix(u"C4510104082001", u"4510104082001", 13));
    EXPECT_FALSE(Key_Has_Suffix(u"A510104001", u"4510104082001", 13));
    EXPECT_FALSE(Key_Has_Suffix(u"", u"", 13));
    EXPECT_FALSE(Key_Has_Suffix(u"C4510104082001", u"", 13));
    EXPECT_FALSE(Key_Has_Suffix(u"C4510104082001", u"082001", 13));
    EXPECT_TRUE(Key_Has_Suffix(u"C510104", u"510104", 6));
    EXPECT_FALSE(Key_Has_Suffix(u"A510000", u"0", 6));
}

TEST(NavigateHelpers, OnlyTheMineModesHaveLabelsToSwap)
{
    EXPECT_FALSE(Has_Swappable_Labels(ModeDJH));
    EXPECT_FALSE(Has_Swappable_Labels(ModeXZQ_DJH));
    EXPECT_TRUE(Has_Swappable_Labels(ModeKQ));
    EXPECT_TRUE(Has_Swappable_Labels(ModeXZQ_KQ));
}

namespace {

class DamagedNavigationTest : public ProgramFolder
{
};

TEST_F(DamagedNavigationTest, AListThatRunsIntoDamageIsReportedNotShownInPart)
{
    const QString file = path(QStringLiteral("damaged.mdb"));
    SampleRegistrations::Options options;
    options.count = 400;
    ASSERT_TRUE(SampleRegistrations::makeDatabase(templatePath(), file, options));
    ASSERT_TRUE(DamagedDatabase::damageMiddleLeaf(file, QStringLiteral("sqlite_autoindex_登记_1")));
    ASSERT_TRUE(DamagedDatabase::damageMiddleLeaf(file, QStringLiteral("sqlite_autoindex_压覆_1")));
    Db::ScopedConnection c(QStringLiteral("damaged"), file, Db::OpenMode::ReadOnly);
    ASSERT_TRUE(c.ok());

    const Result<NodeTable> all = NAVIGATE::All_Registrations(c.db());
    ASSERT_FALSE(all);
    EXPECT_EQ(all.error().number, 11) << all.error().description.toStdString();
    EXPECT_FALSE(NAVIGATE::Load_Tree_DJH(c.db(), RegistrationFilter{}));
}

} // namespace
