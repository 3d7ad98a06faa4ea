#include "checks/DataCheckRules.h"
#include "checks/CheckErrors.h"
#include "platform/ColumnCatalog.h"

#include <QSqlDatabase>

#include <gtest/gtest.h>

using namespace checks;

namespace {

CheckRow row(const QStringList& names, const QVariantList& values, const QList<int>& types = {})
{
    CheckRow r(names, types);
    r.setValues(values);
    return r;
}

const QVariant Null = QVariant(QMetaType::fromType<double>());

// The rules with the places of their columns found for the one row.
bool regionCodeFails(const CheckRow& r, CheckErrors& errors)
{
    return DataCheckRules::Region_Code_Fails(r, r.placesOf(DataCheckRules::Region_Code_Columns()), "压覆",
                                             errors);
}
QStringList firstPageRules(const CheckRow& r, CheckErrors& errors)
{
    return DataCheckRules::First_Page_Rules(r, r.placesOf(DataCheckRules::First_Page_Columns()), "压覆",
                                            errors);
}
QStringList reserveRules(const CheckRow& r, CheckErrors& errors)
{
    return DataCheckRules::Reserve_Rules(r, r.placesOf(DataCheckRules::Reserve_Columns()), "资源储量",
                                         errors);
}

TEST(DataCheckRulesTest, MissingFieldsFollowTheColumnOrderAndIgnoreUnknownNames)
{
    const CheckRow r = row({"登记号", "填表人", "填表负责人", "填表日期"}, {"4110101082001", "", Null, " "});
    EXPECT_EQ(DataCheckRules::Missing_Fields(r, {"填表负责人", "没有的列", "填表人", "填表日期"}),
              (QStringList{"填表人", "填表负责人"}));
    EXPECT_EQ(DataCheckRules::Missing_Fields_Text(r, 0, {"填表人", "填表负责人"}),
              QStringLiteral("登记号(4110101082001),以下数据没有填写：填表人、填表负责人"));
    // A listed name compares with the column name exactly.
    EXPECT_TRUE(DataCheckRules::Missing_Fields(r, {"填表人 "}).isEmpty());
}

TEST(DataCheckRulesTest, RegionCodeRangeIncludesBothEndsAndPassesNull)
{
    CheckErrors errors;
    auto fails = [&](const QVariant& v) { return regionCodeFails(row({"行政区代码"}, {v}), errors); };
    EXPECT_FALSE(fails(110000));
    EXPECT_FALSE(fails(659999));
    EXPECT_TRUE(fails(109999));
    EXPECT_TRUE(fails(660000));
    EXPECT_FALSE(fails(Null));
    EXPECT_TRUE(fails(QStringLiteral("北京")));
    EXPECT_FALSE(fails(QStringLiteral("110101")));
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_TRUE(regionCodeFails(row({"登记号"}, {"4"}), errors));
    EXPECT_EQ(errors.list().size(), 1);
}

TEST(DataCheckRulesTest, AnEmptyTextPassesTheRangeRulesAsNullDoes)
{
    // The required fields report it as missing; the range rule does not again.
    CheckErrors errors;
    const QStringList names{"登记号", "矿区编号", "所属矿山编号", "中心点X坐标", "中心点Y坐标", "方位"};
    auto rules = [&](const QVariant& area, const QVariant& bearing) {
        return firstPageRules(row(names, {"4", area, 1, 37.5, 115.25, bearing}), errors);
    };
    EXPECT_TRUE(rules("", "").isEmpty());
    EXPECT_TRUE(rules(Null, Null).isEmpty());
    EXPECT_EQ(rules(" ", 45), QStringList{"),基本情况,矿区编号范围应处于110000000至659999999之间。"});
    EXPECT_FALSE(regionCodeFails(row({"行政区代码"}, {""}), errors));
    EXPECT_TRUE(errors.isEmpty());
}

TEST(DataCheckRulesTest, TheStandInOfAColumnTellsItsEmptinessAsTheRowDoes)
{
    // Each value through SQL's stand-in, beside the row's own reading of it.
    {
        QSqlDatabase memory = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("memory"));
        memory.setDatabaseName(QStringLiteral(":memory:"));
        ASSERT_TRUE(memory.open());
    }
    const QList<std::pair<QString, int>> cases{
        {"NULL", Db::TypeVarWChar},   {"''", Db::TypeVarWChar},      {"' '", Db::TypeVarWChar},
        {"'0'", Db::TypeVarWChar},    {"0", Db::TypeDouble},         {"0.0", Db::TypeDouble},
        {"''", Db::TypeDouble},       {"x''", Db::TypeVarWChar},     {"x'41'", Db::TypeVarWChar},
        {"''", Db::TypeLongVarWChar}, {"'a'", Db::TypeLongVarWChar}, {"''", Db::TypeBoolean},
        {"NULL", Db::TypeBoolean},    {"0", Db::TypeBoolean},        {"'2008-11-03'", Db::TypeDate}};
    for (const auto& [literal, type] : cases) {
        Db::Rows rows(QSqlDatabase::database(QStringLiteral("memory")),
                      QStringLiteral("SELECT v, %1 FROM (SELECT %2 AS v)")
                          .arg(CheckRow::emptyTextSql(QStringLiteral("v"), type), literal));
        ASSERT_TRUE(rows.next());
        CheckRow r({"v", "stand-in"}, {type, type});
        r.read(rows);
        EXPECT_EQ(r.isEmptyText(0), r.text(0).isEmpty()) << literal.toStdString();
        EXPECT_EQ(r.isEmptyText(1), r.text(0).isEmpty()) << literal.toStdString();
        // The same told of the value kept after the statement has stepped on.
        CheckRow kept({"v"}, {type});
        kept.keepValues(r, 1);
        EXPECT_EQ(kept.isEmptyText(0), r.text(0).isEmpty()) << literal.toStdString();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("memory"));
}

TEST(DataCheckRulesTest, ReserveComparisonsWithNullHaveNoTruthValue)
{
    CheckErrors errors;
    const QStringList names{"登记号",  "矿产代码", "储量类型",   "金属量1", "矿石量1", "基础储量类型",
                            "金属量2", "矿石量2",  "资源量类型", "金属量3", "矿石量3"};
    auto rules = [&](const QVariantList& v) { return reserveRules(row(names, v), errors); };
    // A code that reads as 111 is known; 111 against 111b with equal amounts passes.
    EXPECT_TRUE(rules({"4", 1, " 111 ", 8, 8, "111b", 8, 8, Null, 0, 0}).isEmpty());
    EXPECT_EQ(rules({"4", 1, "111", 9, 8, "111b", 8, 8, Null, 0, 0}).size(), 1);
    // Compared as plain signed numbers: a negative reserve never exceeds.
    EXPECT_TRUE(rules({"4", 1, "111", -9, -8, "111b", 8, 8, Null, 0, 0}).isEmpty());
    // Codes that read as 0 count as no code.
    EXPECT_EQ(rules({"4", 1, Null, 0, 0, "0", 0, 0, Null, 0, 0}).size(), 2);
    EXPECT_TRUE(errors.isEmpty());
}

} // namespace
