// The rows of the reserve table: groups of quality rows, their reserve lines,
// average rows, the mixed-ore continuation and the merged cells.

#include "registration/navigation/NavigationFixture.h"

#include "registration/navigation/ReserveGridRows.h"
#include "shell/KCUTIL_Dictionary.h"

namespace {

const QString DJH = QStringLiteral("4510104082001");
const QString Rule = QStringLiteral("\n──\n");

class ReserveGridRowsTest : public NavigationFixture
{
protected:
    void SetUp() override
    {
        NavigationFixture::SetUp();
        copper = KCUTIL::Get_Calc_Object(22001, 0);
        ASSERT_FALSE(copper.isEmpty());
    }

    void quality(const QString& djh, int mineral, const QString& type, const QString& grade,
                 const QVariant& name, const QVariant& value, const QVariant& unit, bool average, int order)
    {
        exec("INSERT INTO 质量 (登记号, 矿产代码, 统计对象, 矿石类型, 矿石品级, 组分名, 组分值, 组分单位, "
             "均值标识, 显示序号) "
             "VALUES (?, ?, 0, ?, ?, ?, ?, ?, ?, ?)",
             {djh, mineral, type, grade, name, value, unit, average ? 1 : 0, order});
    }

    struct Reserve
    {
        int type = 10003;
        int grade = 1;
        QString r, b, s; // the three codes
        QVariant m1, o1, m2, o2, m3, o3;
        int order = 101;
        QVariant deduction; // 扣矿区编号
        QString combination = QStringLiteral("单一矿产");
    };
    void reserve(const QString& djh, int mineral, const Reserve& x)
    {
        exec("INSERT INTO 资源储量 (登记号, 矿产代码, 统计对象, 矿石类型, 矿石品级, 储量类型, 金属量1, "
             "矿石量1, 基础储量类型, "
             "金属量2, 矿石量2, 资源量类型, 金属量3, 矿石量3, 矿产组合码, 矿产组合, 显示序号, 扣矿区编号) "
             "VALUES (?, ?, 0, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 1, ?, ?, ?)",
             {djh, mineral, x.type, x.grade, x.r, x.m1, x.o1, x.b, x.m2, x.o2, x.s, x.m3, x.o3, x.combination,
              x.order, x.deduction});
    }

    QStringList row(const QString& composition, const QStringList& lineCells, const QString& name = "铜矿",
                    const QString& combination = "单一矿产") const
    {
        QStringList r{name, combination, copper, composition};
        r += lineCells;
        while (r.size() < 10)
            r << QString();
        return r;
    }

    QString copper;
};

} // namespace

TEST_F(ReserveGridRowsTest, QualityRowsOfOneKeyMakeOneGroupWithOneRowPerReserveRecord)
{
    quality(DJH, 22001, "10003", "1", "Cu", 1.25, "%", false, 101);
    quality(DJH, 22001, "10003", "1", "Au", 0.5, "g/t", false, 102);
    reserve(DJH, 22001, {10003, 1, "122", "122b", "333", 100, 2000, 150, 3000, 10, 200, 101});
    reserve(DJH, 22001, {10003, 1, "", "", "334", {}, {}, {}, {}, 5, 50, 102});
    reserve(DJH, 22001, {10003, 1, "", "", "", {}, {}, {}, {}, {}, {}, 103}); // no code: no line
    reserve(DJH, 22001, {10003, 1, "", "", "333", {}, {}, {}, {}, 99, 99, 104, "510104001"}); // deduction

    const ReserveGridRows g = ReserveGridRows::build(DJH);
    EXPECT_FALSE(g.error.isSet());
    const QString comp = "(1)硫化矿石\n(2)富矿\n(3)\nCu 1.25 %\nAu 0.5 g/t\n";
    ASSERT_EQ(g.rows.size(), 2);
    EXPECT_EQ(g.rows.at(0), row(comp, {"122", "100" + Rule + "2000", "122b", "150" + Rule + "3000", "333",
                                       "10" + Rule + "200"}));
    EXPECT_EQ(g.rows.at(1), row(comp, {"", "", "", "", "334", "5" + Rule + "50"}));
    EXPECT_EQ(g.spans, (QList<ReserveGridRows::Span>{{0, 0, 2}, {0, 1, 2}, {0, 2, 2}, {0, 3, 2}}));
}

TEST_F(ReserveGridRowsTest, ReservesShowOnlyForKeysThatHaveQualityRows)
{
    reserve(DJH, 22001, {10003, 1, "122", "", "", 1, 2});
    EXPECT_TRUE(ReserveGridRows::build(DJH).rows.isEmpty());

    // A key with quality rows but no reserves gives one row with empty reserve cells.
    quality(DJH, 22001, "10001", "2", "Cu", 0.8, "%", false, 201);
    const ReserveGridRows g = ReserveGridRows::build(DJH);
    ASSERT_EQ(g.rows.size(), 1);
    EXPECT_EQ(g.rows.at(0), row("(1)氧化矿石\n(2)贫矿\n(3)\nCu 0.8 %\n", {}));
    EXPECT_TRUE(g.spans.isEmpty());
}

TEST_F(ReserveGridRowsTest, AtMostSixReserveLinesAreShown)
{
    quality(DJH, 22001, "10003", "1", "Cu", 1, "%", false, 101);
    for (int i = 1; i <= 7; ++i)
        reserve(DJH, 22001, {10003, 1, "111", "", "", i, i * 10, {}, {}, {}, {}, 100 + i});
    const ReserveGridRows g = ReserveGridRows::build(DJH);
    ASSERT_EQ(g.rows.size(), 6);
    EXPECT_EQ(g.rows.at(5).at(5), "6" + Rule + "60");
}

TEST_F(ReserveGridRowsTest, MixedOreAfterOxidisedOreSharesItsRowAndReserveLines)
{
    quality(DJH, 22001, "10001", "2", "Cu", 1, "%", false, 101);
    quality(DJH, 22001, "10002", "2", "Cu", 2, "%", false, 102);
    quality(DJH, 22001, "10003", "2", "Cu", 3, "%", false, 201);
    reserve(DJH, 22001, {10001, 2, "121", "", "", 1, 10, {}, {}, {}, {}, 101});
    reserve(DJH, 22001, {10002, 2, "122", "", "", 2, 20, {}, {}, {}, {}, 102});
    reserve(DJH, 22001, {10003, 2, "", "", "332", {}, {}, {}, {}, 3, 30, 201});
    const ReserveGridRows g = ReserveGridRows::build(DJH);
    ASSERT_EQ(g.rows.size(), 2);
    EXPECT_EQ(g.rows.at(0), row("(1)氧化矿石\n(2)贫矿\n(3)\nCu 1 %\n(1)混合矿石\n(2)贫矿\n(3)\nCu 2 %\n",
                                {"121", "1" + Rule + "10"}));
    EXPECT_EQ(g.rows.at(1),
              row("(1)硫化矿石\n(2)贫矿\n(3)\nCu 3 %\n", {"", "", "", "", "332", "3" + Rule + "30"}));
    // Mineral, combination and object are equal in both rows and merge; the compositions differ.
    EXPECT_EQ(g.spans, (QList<ReserveGridRows::Span>{{0, 0, 2}, {0, 1, 2}, {0, 2, 2}}));
}

TEST_F(ReserveGridRowsTest, AverageRowsShowSumsPerCodeOverAllOreTypes)
{
    quality(DJH, 22001, "平均", "全区", "Cu", 1.1, "%", true, 301);
    quality(DJH, 22001, "平均", "全区", "Ag", QVariant(), "g/t", true, 302);
    reserve(DJH, 22001, {10001, 1, "122", "", "333", 1, 10, {}, {}, 4, 40, 101});
    reserve(DJH, 22001, {10003, 2, "111", "", "333", 2, 20, {}, {}, 5, 50, 102});
    reserve(DJH, 22001, {10003, 1, "121", "", "", 3, 30, {}, {}, {}, {}, 103});
    reserve(DJH, 22001, {10003, 1, "122", "", "", 0.5, 5, {}, {}, {}, {}, 104});
    reserve(DJH, 22001,
            {10003, 1, "111", "", "333", 100, 100, {}, {}, 100, 100, 105, "510104009"}); // deduction

    const ReserveGridRows g = ReserveGridRows::build(DJH);
    const QString comp = "(1)平均\n(2)全区\n(3)\nCu 1.1 %\nAg  g/t\n";
    ASSERT_EQ(g.rows.size(), 3);
    EXPECT_EQ(g.rows.at(0), row(comp, {"111", "2" + Rule + "20", "", "", "333", "9" + Rule + "90"}));
    EXPECT_EQ(g.rows.at(1), row(comp, {"121", "3" + Rule + "30"}));
    EXPECT_EQ(g.rows.at(2), row(comp, {"122", "1.5" + Rule + "15"}));
}

TEST_F(ReserveGridRowsTest, OreAmountsAloneWhenTheMineralKeepsNoMetalAmount)
{
    quality(DJH, 22004, "20401", "1", "Al2O3", 62.5, "%", false, 101);
    reserve(DJH, 22004, {20401, 1, "", "122b", "", {}, {}, QVariant(), 0, {}, {}, 101, {}, "主矿产"});
    const ReserveGridRows g = ReserveGridRows::build(DJH);
    ASSERT_EQ(g.rows.size(), 1);
    EXPECT_EQ(g.rows.at(0).mid(0, 2), (QStringList{"铝土矿", "主矿产"}));
    EXPECT_EQ(g.rows.at(0).at(3), "(1)一水硬铝石型\n(2)一级品\n(3)\nAl2O3 62.5 %\n");
    EXPECT_EQ(g.rows.at(0).mid(4), (QStringList{"", "", "122b", "\n0", "", ""}));
}

TEST_F(ReserveGridRowsTest, QualityAndReservesAreBothReadByTheNumberGiven)
{
    // The registration shown may differ from the number whose rows are built (the
    // number box was edited): both tables are read by the one number.
    m_state.Cur_DJH = "4510104082999";
    quality(DJH, 22001, "10003", "1", "Cu", 1, "%", false, 101);
    reserve(DJH, 22001, {10003, 1, "122", "", "", 7, 70});
    quality("4510104082999", 22001, "10003", "1", "Cu", 9, "%", false, 101);
    reserve("4510104082999", 22001, {10003, 1, "111", "", "", 9, 90});
    const ReserveGridRows g = ReserveGridRows::build(DJH);
    ASSERT_EQ(g.rows.size(), 1);
    EXPECT_EQ(g.rows.at(0).mid(3, 3),
              (QStringList{"(1)硫化矿石\n(2)富矿\n(3)\nCu 1 %\n", "122", "7" + Rule + "70"}));
}

TEST(ReserveGridSpans, EqualNeighboursInTheFirstFourColumnsMerge)
{
    const QList<QStringList> rows = {{"a", "x", "p", "1", "r"},
                                     {"a", "x", "q", "1", "r"},
                                     {"a", "y", "q", "2", "r"},
                                     {"b", "y", "q", "2", "r"}};
    EXPECT_EQ(
        ReserveGridRows::spansOf(rows),
        (QList<ReserveGridRows::Span>{{0, 0, 3}, {0, 1, 2}, {2, 1, 2}, {1, 2, 3}, {0, 3, 2}, {2, 3, 2}}));
    EXPECT_TRUE(ReserveGridRows::spansOf({}).isEmpty());
}
