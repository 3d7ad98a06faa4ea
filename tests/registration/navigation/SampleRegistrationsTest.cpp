// The sample registrations that tests and benchmarks fill databases with.

#include "registration/navigation/NavigationFixture.h"

#include "coords/CoordText.h"
#include "registration/navigation/NAVIGATE.h"
#include "support/Unwrap.h"
#include "support/SampleRegistrations.h"

#include <QRegularExpression>

namespace {

class SampleRegistrationsTest : public NavigationFixture
{
protected:
    int count(const QString& sql) { return Db::scalar(db(), sql).toInt(); }
};

} // namespace

TEST_F(SampleRegistrationsTest, EveryRegistrationHasItsRowsInEveryTable)
{
    Db::Error e;
    ASSERT_TRUE(SampleRegistrations::fill(db(), {60, 7}, &e)) << e.description.toStdString();
    EXPECT_EQ(count("SELECT count(*) FROM 登记"), 60);
    for (const char* table : {"压覆", "报告", "坐标"})
        EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM ") + QString::fromUtf8(table)), 60) << table;
    EXPECT_EQ(count("SELECT count(DISTINCT 登记号) FROM 质量"), 60);
    EXPECT_EQ(count("SELECT count(DISTINCT 登记号) FROM 资源储量"), 60);

    // Numbers: "4", the region, the year, "2" and a serial.
    auto q = Db::exec(db(), "SELECT 登记号, 行政区代码 FROM 压覆");
    ASSERT_TRUE(q.has_value());
    const QRegularExpression number(QStringLiteral("^4\\d{6}\\d{2}2\\d{3}$"));
    while (q->next()) {
        const QString djh = q->value(0).toString();
        EXPECT_TRUE(number.match(djh).hasMatch()) << djh.toStdString();
        EXPECT_EQ(djh.mid(1, 6), q->value(1).toString());
    }
    // Every region has its county, city and province in cb08; minerals come from cb06.
    EXPECT_EQ(count("SELECT count(*) FROM 压覆 WHERE 行政区代码 NOT IN (SELECT DM FROM cb08) "
                    "OR 行政区代码 / 100 * 100 NOT IN (SELECT DM FROM cb08)"),
              0);
    EXPECT_EQ(count("SELECT count(*) FROM 资源储量 WHERE 矿产代码 NOT IN (SELECT 矿产代码 FROM cb06)"), 0);
    EXPECT_GT(count("SELECT count(DISTINCT 行政区代码 / 10000) FROM 压覆"), 5);
    EXPECT_GT(count("SELECT count(*) FROM 质量 WHERE 均值标识 = 1"), 0);
}

TEST_F(SampleRegistrationsTest, CoordinateTextsHoldSeveralRingsAndReadBack)
{
    ASSERT_TRUE(SampleRegistrations::fill(db(), {40, 11}));
    auto q = Db::exec(db(), "SELECT 矿权坐标, 计算坐标 FROM 坐标");
    ASSERT_TRUE(q.has_value());
    int multiRing = 0;
    while (q->next()) {
        for (int c = 0; c < 2; ++c) {
            const QString stored = q->value(c).toString();
            EXPECT_TRUE(stored.endsWith(u',')) << stored.toStdString();
            EXPECT_FALSE(KCUTIL::Coord_Str_To_Lines(stored).isEmpty()) << stored.toStdString();
            if (stored.section(u',', 0, 0).toInt() > 1) ++multiRing;
        }
    }
    EXPECT_GT(multiRing, 10);
}

TEST_F(SampleRegistrationsTest, TheSameSeedGivesTheSameRegistrations)
{
    ASSERT_TRUE(SampleRegistrations::fill(db(), {20, 3}));
    const TreeNodes first = unwrap(NAVIGATE::Load_Tree_KQ(db(), RegistrationFilter(), "1")).nodes();
    const QString copy = copyTemplate("second.mdb");
    {
        Db::ScopedConnection c(QStringLiteral("second"), copy, Db::OpenMode::ReadWrite);
        ASSERT_TRUE(c.ok());
        ASSERT_TRUE(SampleRegistrations::fill(c.db(), {20, 3}));
        EXPECT_EQ(unwrap(NAVIGATE::Load_Tree_KQ(c.db(), RegistrationFilter(), "1")).nodes(), first);
    }
    EXPECT_FALSE(first.isEmpty());
}
