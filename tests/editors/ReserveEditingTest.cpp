#include "EditorsFixture.h"

#include "editors/ReserveEditing.h"
#include "editors/ReserveStatCheck.h"
#include "support/StatisticsDatabase.h"

#include <QFile>

// The reserve rows of one ore row: load, the code lists and partner codes, the
// checks, save and delete, and the comparison with the statistics database.
namespace {

using namespace editors::ReserveEditing;
namespace StatCheck = editors::ReserveStatCheck;

class ReserveEditingTest : public EditorsFixture
{
protected:
    editors::HandOver row() const
    {
        editors::HandOver h;
        h.Cur_DJH = DJH;
        h.Cur_KCDM = 22001;
        h.Cur_TJDX = 0;
        h.Cur_KSLX = 10001;
        h.Cur_KSPJ = 32;
        h.Cur_KCZHM = 2;
        h.Cur_KCZH = QStringLiteral("主矿产");
        h.Cur_XSXH = 300;
        return h;
    }
    static Boxes boxesOf(const QList<std::pair<int, QString>>& texts)
    {
        Boxes b;
        for (const auto& [i, t] : texts)
            b[i] = t;
        return b;
    }
};

TEST_F(ReserveEditingTest, LoadShowsOwnRowsWithZerosEmpty)
{
    exec("INSERT INTO 资源储量 (登记号, 矿产代码, 统计对象, 矿石类型, 矿石品级, 储量类型, 金属量1, 矿石量1, "
         "资源量类型, "
         "矿石量3, 显示序号, 扣矿区编号) VALUES (?, 22001, 0, 10001, 32, '111', 0, .5, '333', 7, 302, NULL), "
         "(?, 22001, 0, 10001, 32, '122', 3, 4, NULL, NULL, 301, NULL), "
         "(?, 22001, 0, 10001, 32, '121', 3, 4, NULL, NULL, 300, '510104009')",
         {DJH, DJH, DJH});
    const auto loaded = Load_Reserves(db(), row());
    ASSERT_TRUE(loaded.ok());
    EXPECT_EQ(loaded->rows, 2);
    EXPECT_EQ(loaded->boxes[0], "122");
    EXPECT_EQ(loaded->boxes[9], "111");
    EXPECT_EQ(loaded->boxes[10], "") << "a zero amount";
    EXPECT_EQ(loaded->boxes[11], "0.5");
    EXPECT_EQ(loaded->boxes[15], "333");
    EXPECT_EQ(loaded->boxes[17], "7");

    const auto copper = Set_Amount_Boxes(db(), 22001, 0);
    ASSERT_TRUE(copper.ok());
    EXPECT_TRUE(copper->metal && copper->ore);
    const auto iron = Set_Amount_Boxes(db(), 21001, 0);
    EXPECT_FALSE(iron->metal);
    EXPECT_TRUE(iron->ore);
    const auto unknown = Set_Amount_Boxes(db(), 21001, 7);
    EXPECT_FALSE(unknown->metal || unknown->ore);
}

TEST_F(ReserveEditingTest, CodeListsOfferUnusedCodesAndPartnersFillIn)
{
    Boxes b = boxesOf({{9, "121"}, {12, "2M11"}});
    EXPECT_EQ(Fill_Free_Codes(b, 0), QStringList({"111", "122"}));
    EXPECT_EQ(Fill_Free_Codes(b, 1), QStringList({"111b", "121b", "122b", "2M21", "2M22"}));
    EXPECT_EQ(Fill_Free_Codes(b, 2).first(), "2S11");

    QString partner;
    b[0] = "111";
    EXPECT_EQ(partnerBox(b, 0, "111", &partner), 3);
    EXPECT_EQ(partner, "111b");
    b[30] = "111b";
    EXPECT_EQ(partnerBox(b, 0, "111", &partner), -1) << "the partner stands already";
    EXPECT_EQ(partnerBox(b, 12, "2M11", &partner), -1);
    EXPECT_EQ(partnerBox(b, 6, "331", &partner), -1);

    // 121b chosen in row 3 whose reserve box holds 111: the first empty 储量类型 box.
    const Boxes c = boxesOf({{0, "122"}, {18, "111"}, {21, "121b"}});
    EXPECT_EQ(partnerBox(c, 21, "121b", &partner), 9);
    EXPECT_EQ(partner, "121");
}

TEST_F(ReserveEditingTest, ChecksOfTheAmountsAndThePairs)
{
    EXPECT_FALSE(amountWarns("-"));
    EXPECT_FALSE(amountWarns("-abc"));
    EXPECT_FALSE(amountWarns("12."));
    EXPECT_TRUE(amountWarns("abc"));
    EXPECT_TRUE(amountWarns("1.2.3"));
    EXPECT_FALSE(amountWarns(" 3.5 "));

    EXPECT_EQ(Pair_Check(boxesOf({{0, "111"}, {1, "-5"}, {3, "111b"}, {4, "4"}})),
              QStringList({"111数据比111b数据绝对值大"}));
    EXPECT_TRUE(Pair_Check(boxesOf({{0, "111"}, {1, "-5"}, {3, "111b"}, {4, "5"}})).isEmpty());
    // 111 in row 1 against 111b in row 4; 122's ore amount too large.
    EXPECT_EQ(
        Pair_Check(boxesOf(
            {{0, "111"}, {2, "9"}, {30, "111b"}, {32, "8"}, {9, "122"}, {11, "3"}, {12, "122b"}, {14, "2"}})),
        QStringList({"111数据比111b数据绝对值大", "122数据比122b数据绝对值大"}));

    const Check noCode = Check_Values(boxesOf({{0, "111"}, {1, "5"}, {16, "2"}}));
    EXPECT_EQ(noCode.problem, Problem::AmountWithoutCode);
    EXPECT_EQ(noCode.row, 2);
    const Check notNumber = Check_Values(boxesOf({{0, "111"}, {1, "-"}}));
    EXPECT_EQ(notNumber.problem, Problem::NotNumeric);
    EXPECT_EQ(notNumber.row, 1);
    EXPECT_EQ(Check_Values(boxesOf({{0, "111"}, {1, " 5 "}})).problem, Problem::None);
    EXPECT_TRUE(allEmpty(boxesOf({{5, "  "}})));
}

TEST_F(ReserveEditingTest, SaveWritesTheCodedRowsAndAQualityPlaceholderOnce)
{
    reserve(22001, 0, 10001, 32, 1, "单一矿产", QStringLiteral("510104009"));
    reserve(22001, 0, 10001, 32, 1, "单一矿产");
    const Boxes b =
        boxesOf({{0, "111"}, {1, "5"}, {2, "0"}, {3, "111b"}, {4, "6"}, {24, "333"}, {26, "1.25"}});
    const auto saved = Save_Reserves(db(), row(), b);
    ASSERT_TRUE(saved.ok());
    EXPECT_EQ(*saved, "有");
    EXPECT_EQ(column("select 显示序号 || 储量类型 || 基础储量类型 || ifnull(矿石量1, 'null') || 矿产组合 "
                     "from 资源储量 "
                     "where 扣矿区编号 is null and 基础储量类型 is not null order by 显示序号"),
              QStringList({"301111111b0.0主矿产"}))
        << column("select 显示序号 from 资源储量").join(",").toStdString();
    EXPECT_EQ(column("select 显示序号 || 资源量类型 || 矿石量3 from 资源储量 where 资源量类型 is not null"),
              QStringList({"303333" + QString("1.25")}));
    EXPECT_EQ(column("select count(*) from 资源储量 where 扣矿区编号 is not null"), QStringList({"1"}));
    EXPECT_EQ(column("select 显示序号 || '|' || ifnull(组分名, 'null') || 矿石类型 from 质量"),
              QStringList({"301|null10001"}));

    ASSERT_TRUE(Save_Reserves(db(), row(), b).ok());
    EXPECT_EQ(column("select count(*) from 质量"), QStringList({"1"}));

    ASSERT_TRUE(Delete_Reserves(db(), row()).ok());
    EXPECT_EQ(column("select count(*) from 资源储量"), QStringList({"1"})) << "the deduction stays";
    EXPECT_EQ(column("select count(*) from 质量"), QStringList({"1"}));
}

TEST_F(ReserveEditingTest, ARowThatDeductsFromAnotherRegistrationIsLeftAsStored)
{
    // A deduction whose mining area was never filled in: it names only the
    // registration it deducts from.
    exec("INSERT INTO 资源储量 (登记号, 矿产代码, 统计对象, 矿石类型, 矿石品级, 储量类型, 金属量1, 矿石量1, "
         "矿产组合码, 矿产组合, 原登记号, 显示序号) VALUES (?, 22001, 0, 10001, 32, '122', 8, 9, 1, "
         "'单一矿产', "
         "'1510104082003', 301)",
         {DJH});
    const QString deduction =
        QStringLiteral("select 储量类型 || 金属量1 || 矿石量1 || 矿产组合 || 原登记号 || "
                       "显示序号 from 资源储量 where 原登记号 is not null");
    const QStringList stored = column(deduction);
    ASSERT_EQ(stored.size(), 1);

    const auto loaded = Load_Reserves(db(), row());
    ASSERT_TRUE(loaded.ok());
    EXPECT_EQ(loaded->rows, 0);
    ASSERT_TRUE(Save_Reserves(db(), row(), boxesOf({{0, "111"}, {1, "5"}})).ok());
    EXPECT_EQ(column(deduction), stored);
    EXPECT_EQ(column("select count(*) from 资源储量"), QStringList({"2"}));
    ASSERT_TRUE(Delete_Reserves(db(), row()).ok());
    EXPECT_EQ(column(deduction), stored);
    EXPECT_EQ(column("select count(*) from 资源储量"), QStringList({"1"}));
}

TEST_F(ReserveEditingTest, AFailedSaveOrTooManyRowsLeaveTheTablesAsTheyWere)
{
    reserve(22001, 0, 10001, 32, 1, "单一矿产");
    exec("CREATE TRIGGER refuse BEFORE INSERT ON 质量 BEGIN SELECT RAISE(ABORT, '拒绝'); END");
    const auto saved = Save_Reserves(db(), row(), boxesOf({{0, "121"}, {2, "3"}}));
    ASSERT_FALSE(saved.ok());
    EXPECT_EQ(column("select 储量类型 || 矿产组合 from 资源储量"), QStringList({"111单一矿产"}));

    exec("DROP TRIGGER refuse");
    for (int i = 0; i < 7; ++i)
        reserve(22001, 0, 10001, 32, 1, "单一矿产", QVariant(), 302 + i);
    const auto loaded = Load_Reserves(db(), row());
    EXPECT_EQ(loaded->rows, 8);
    EXPECT_FALSE(Save_Reserves(db(), row(), loaded->boxes).ok());
    EXPECT_EQ(column("select count(*) from 资源储量"), QStringList({"8"}));
}

class StatCheckTest : public ReserveEditingTest
{
protected:
    void SetUp() override
    {
        ReserveEditingTest::SetUp();
        m_state.TJPath = dir();
        m_state.TJName = QStringLiteral("tjk.mdb");
        stat.reserves = {
            {2008, "510104001", 2003, 22001, 0, 10001, 32, 19001, "111", 12.5, 100, "2", "主矿产"},
            {2008, "510104001", 2003, 22001, 0, 10001, 32, 19001, "333", 0, 7, "2", "主矿产"}};
        ASSERT_TRUE(stat.create(path("tjk.mdb")));
    }
    Result<bool> check(const Boxes& b, const editors::HandOver& h)
    {
        return StatCheck::Check_Stat_Reserves(db(), m_state.TJPath, m_state.TJName, h, b);
    }
    StatisticsDatabase stat;
};

TEST_F(StatCheckTest, EveryFilledGroupMustHaveItsRetainedReserveRow)
{
    const Boxes match = boxesOf({{0, "111"}, {1, "12.50"}, {2, "100"}, {15, "333"}, {17, "7"}});
    EXPECT_TRUE(*check(match, row()));
    Boxes other = match;
    other[1] = "12.49";
    EXPECT_FALSE(*check(other, row()));
    EXPECT_TRUE(*check(Boxes(), row())) << "nothing to compare";

    editors::HandOver h = row();
    h.Cur_KCZH = QStringLiteral("共生矿产");
    EXPECT_FALSE(*check(match, h));
    h = row();
    h.Cur_DJH = DJH.left(12);
    EXPECT_FALSE(*check(match, h));

    // The mine class: 所属矿山编号 3 is 2003, none is 1000.
    exec("UPDATE 压覆 SET 所属矿山编号=NULL");
    EXPECT_FALSE(*check(match, row()));
    exec("UPDATE 压覆 SET 矿区编号=NULL");
    EXPECT_FALSE(*check(Boxes(), row())) << "no mining area";
}

TEST_F(StatCheckTest, YearsMissingFilesAndNoConfiguration)
{
    // A registration of 1999 is compared with the figures of 1999.
    const QString old = QStringLiteral("4510104992001");
    exec("UPDATE 压覆 SET 登记号=?", {old});
    stat.reserves[0].ND = 1999;
    ASSERT_TRUE(stat.create(path("tjk.mdb")));
    editors::HandOver h = row();
    h.Cur_DJH = old;
    EXPECT_TRUE(*check(boxesOf({{0, "111"}, {1, "12.5"}, {2, "100"}}), h));

    m_state.TJName = QStringLiteral("缺少.mdb");
    const auto missing = check(Boxes(), row());
    ASSERT_FALSE(missing.ok());
    EXPECT_TRUE(missing.error().description.startsWith("储量库文件不存在："));
    EXPECT_FALSE(QFile::exists(path("缺少.mdb"))) << "never created";

    m_state.TJPath.clear();
    m_state.TJName.clear();
    const auto none = check(Boxes(), row());
    ASSERT_TRUE(none.ok());
    EXPECT_FALSE(*none);
}

} // namespace
