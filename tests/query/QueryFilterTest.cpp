// The query dialog's rules: the checks of 确定 and the filter they set, applied by
// every navigation mode.

#include "support/Unwrap.h"
#include "QueryFixture.h"

#include "query/QueryFilter.h"
#include "registration/navigation/NAVIGATE.h"

#include <QSet>

using namespace query;

namespace {

QueryTexts boxes(std::initializer_list<std::pair<Box, QString>> typed)
{
    QueryTexts t;
    for (const auto& [box, text] : typed)
        t[box] = text;
    return t;
}

// The registrations a tree lists: the last 13 characters of its registration nodes.
QSet<QString> registrations(const TreeNodes& nodes)
{
    QSet<QString> out;
    for (const TreeNode& n : nodes) {
        const QString djh = n.key.right(13);
        if (djh.size() == 13 && Is_Digits(djh)) out.insert(djh);
    }
    return out;
}

class QueryFilterTest : public QueryFixture
{
protected:
    void SetUp() override
    {
        QueryFixture::SetUp();
        // Year 07 with the owner and 11001: A and D match; B has another year, C
        // another owner, E no 11001, F only its other mineral in the same county.
        addOverlay(A, 510104, QStringLiteral("锦江铁矿区"), QStringLiteral("四川矿业公司"), {11001, 21001});
        addOverlay(B, 510104, QStringLiteral("锦江铁矿区"), QStringLiteral("四川矿业公司"), {11001});
        addOverlay(C, 510105, QStringLiteral("青羊煤矿区"), QStringLiteral("成都公司"), {11001});
        addOverlay(D, 510105, QStringLiteral("青羊煤矿区"), QStringLiteral("大四川矿业"), {11001});
        addOverlay(E, 510104, QStringLiteral("锦江铜矿区"), QStringLiteral("四川矿业"), {21001});
        addOverlay(F, 130102, QStringLiteral("河北矿区"), QStringLiteral("四川矿业"), {});
    }

    const QString A = QStringLiteral("4510104072001");
    const QString B = QStringLiteral("4510104082002");
    const QString C = QStringLiteral("4510105072003");
    const QString D = QStringLiteral("4510105072004");
    const QString E = QStringLiteral("4510104072005");
    const QString F = QStringLiteral("4130102072006");
};

} // namespace

TEST_F(QueryFilterTest, ChecksRefuseTheFirstBadBoxInTheDialogsOrder)
{
    // Nothing typed: every registration is listed.
    QueryOutcome o = Build_Query_Filter({});
    EXPECT_TRUE(o.accepted());
    EXPECT_TRUE(o.filter.isEmpty());

    for (const QString& year : {QStringLiteral("07"), QStringLiteral("20a7"), QStringLiteral("2e03"),
                                QStringLiteral("-200"), QStringLiteral("20071")}) {
        o = Build_Query_Filter(boxes({{YearBox, year}, {NumberBox, QStringLiteral("x")}}));
        EXPECT_EQ(o.refusedBox, YearBox) << year.toStdString();
        EXPECT_EQ(o.message, "请填写4位数值！");
        EXPECT_TRUE(o.filter.isEmpty()) << "a refusal applies nothing";
    }
    o = Build_Query_Filter(boxes({{YearBox, QStringLiteral(" 2007 ")}, {NumberBox, QStringLiteral("12 3")}}));
    EXPECT_EQ(o.refusedBox, NumberBox);
    EXPECT_EQ(o.message, "请填写数字！");
    o = Build_Query_Filter(boxes({{RegionBox, QStringLiteral("51a")}, {HolderBox, QStringLiteral("x")}}));
    EXPECT_EQ(o.refusedBox, RegionBox);
    EXPECT_EQ(o.message, "请填写数值型代码！");

    // A number part with the year empty is accepted; blanks around a text are dropped.
    o = Build_Query_Filter(
        boxes({{NumberBox, QStringLiteral("2001")}, {AreaNameBox, QStringLiteral(" 铁 ")}}));
    ASSERT_TRUE(o.accepted());
    EXPECT_EQ(o.filter.number, "2001");
    EXPECT_EQ(o.filter.areaName, "铁");
    EXPECT_FALSE(o.filter.hasMineral());
}

TEST_F(QueryFilterTest, YearOwnerAndMineralRestrictEveryNavigationMode)
{
    const QueryOutcome o = Build_Query_Filter(boxes({{YearBox, QStringLiteral("2007")},
                                                     {HolderBox, QStringLiteral("四川矿业")},
                                                     {MineralBox, QStringLiteral("11001")}}));
    ASSERT_TRUE(o.accepted());
    const QSet<QString> expected = {A, D};
    EXPECT_EQ(registrations(unwrap(NAVIGATE::Load_Tree_DJH(db(), o.filter)).nodes()), expected);
    EXPECT_EQ(registrations(unwrap(NAVIGATE::Load_Tree_KQ(db(), o.filter, m_state.ViewFlag)).nodes()), expected);
    QSet<QString> byCounty;
    for (const QString& county :
         {QStringLiteral("510104"), QStringLiteral("510105"), QStringLiteral("130102")}) {
        byCounty += registrations(unwrap(NAVIGATE::Load_Tree_DJH_XZQ(db(), county, o.filter)).nodes());
        byCounty += registrations(unwrap(NAVIGATE::Load_Tree_KQ_XZQ(db(), county, o.filter, m_state.ViewFlag)).nodes());
    }
    EXPECT_EQ(byCounty, expected);

    // The region prefix matches from the start of the code only.
    const QueryOutcome region = Build_Query_Filter(boxes({{RegionBox, QStringLiteral("5101")}}));
    EXPECT_EQ(registrations(unwrap(NAVIGATE::Load_Tree_DJH(db(), region.filter)).nodes()),
              (QSet<QString>{A, B, C, D, E}));
}

TEST_F(QueryFilterTest, QuotesAndPercentSignsAreMatchedAsTyped)
{
    exec(QStringLiteral("UPDATE 压覆 SET 矿业权人 = ? WHERE 登记号 = ?"), {QStringLiteral("O'Neil 100%"), E});
    const auto list = [&](const QString& holder) {
        return registrations(
            unwrap(NAVIGATE::Load_Tree_DJH(db(), Build_Query_Filter(boxes({{HolderBox, holder}})).filter)).nodes());
    };
    EXPECT_EQ(list(QStringLiteral("O'Neil")), QSet<QString>{E});
    EXPECT_EQ(list(QStringLiteral("100%")), QSet<QString>{E});
    EXPECT_EQ(list(QStringLiteral("%")), QSet<QString>{E});
    EXPECT_EQ(list(QStringLiteral("' OR '1'='1")), QSet<QString>{});
    EXPECT_EQ(db().tables().contains(QStringLiteral("压覆")), true);
}
