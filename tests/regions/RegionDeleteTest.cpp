// Deletion of a region's registrations in one transaction.

#include "RegionFixture.h"

#include "regions/RegionDelete.h"
#include "shell/MAINBAS.h"

namespace {

class RegionDeleteTest : public RegionFixture
{
protected:
    void SetUp() override
    {
        RegionFixture::SetUp();
        addSample(db());
    }
};

} // namespace

TEST_F(RegionDeleteTest, AProvinceDeleteRemovesExactlyItsOverlayRegistrations)
{
    // The region is the kind-table row's code, not the number's digits.
    addKind(db(), "压覆", "4410102082009", 510104);
    // A 登记 row without a kind-table row is never touched.
    exec(db(), "INSERT INTO 登记 (登记号) VALUES ('4510104082099')");

    const auto deleted = regions::Delete_Region_Data(db(), "51", false);
    ASSERT_TRUE(deleted) << deleted.error().description.toStdString();
    EXPECT_EQ(*deleted, 4);
    for (const QString& n : {Chengdu1, Chengdu2, Mianyang, QString("4410102082009")})
        EXPECT_EQ(rowsIn(db(), "压覆", n), gone("压覆")) << n.toStdString();
    EXPECT_EQ(rowsIn(db(), "压覆", Henan), whole("压覆"));
    EXPECT_EQ(rowsIn(db(), "查明", Found), whole("查明")) << "overlay only";
    EXPECT_EQ(rowsIn(db(), "占用", Used), whole("占用"));
    EXPECT_EQ(count(db(), "登记"), 4);
}

TEST_F(RegionDeleteTest, CityCountyAndAllKinds)
{
    ASSERT_TRUE(regions::Delete_Region_Data(db(), "5107", false));
    EXPECT_EQ(rowsIn(db(), "压覆", Mianyang), gone("压覆"));
    EXPECT_EQ(rowsIn(db(), "压覆", Chengdu1), whole("压覆"));

    const auto deleted = regions::Delete_Region_Data(db(), "510104", true);
    ASSERT_TRUE(deleted);
    EXPECT_EQ(*deleted, 2);
    EXPECT_EQ(rowsIn(db(), "查明", Found), gone("查明"));
    EXPECT_EQ(rowsIn(db(), "压覆", Chengdu1), gone("压覆"));
    EXPECT_EQ(rowsIn(db(), "压覆", Chengdu2), whole("压覆"));

    // A region without rows is no error.
    EXPECT_EQ(*regions::Delete_Region_Data(db(), "32", true), 0);
}

TEST_F(RegionDeleteTest, NoDeletionWithoutARegionOrHalfway)
{
    const QString working = MAINBAS::Database_File();
    const QByteArray before = bytes(working);
    for (const char* bad : {"", "5101041", "510", "51 OR 1=1", "510100"}) {
        const auto refused = regions::Delete_Region_Data(db(), bad, true);
        ASSERT_FALSE(refused) << bad;
        EXPECT_EQ(refused.error().description, "行政区代码应为2位、4位或6位数字！");
    }
    EXPECT_EQ(bytes(working), before);

    // A statement that fails late rolls back everything before it.
    exec(db(), "CREATE TRIGGER refuse BEFORE DELETE ON 压覆 BEGIN SELECT RAISE(ABORT, '锁定'); END");
    const QByteArray armed = bytes(working);
    const auto failed = regions::Delete_Region_Data(db(), "51", true);
    ASSERT_FALSE(failed);
    EXPECT_TRUE(failed.error().description.contains("锁定"));
    EXPECT_EQ(bytes(working), armed);
    EXPECT_EQ(rowsIn(db(), "查明", Found), whole("查明"));
}
