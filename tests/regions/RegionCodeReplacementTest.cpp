// The checks of the two codes and the replacement in the kind tables.

#include "RegionFixture.h"

#include "regions/RegionCodeReplacement.h"
#include "shell/MAINBAS.h"

namespace {

using regions::CodeRole;

class RegionCodeReplacementTest : public RegionFixture
{
protected:
    void SetUp() override
    {
        RegionFixture::SetUp();
        addSample(db());
    }
    QString check(const QString& code, CodeRole role, bool allKinds = false)
    {
        return regions::Check_Region_Code(db(), code, role, allKinds);
    }
    int region(const QString& kind, const QString& number)
    {
        return Db::scalar(db(), "SELECT 行政区代码 FROM " + kind + " WHERE 登记号=?", {number}).toInt();
    }
};

} // namespace

TEST_F(RegionCodeReplacementTest, TheTestsOfEachCodeInTheirOrder)
{
    EXPECT_EQ(check("  ", CodeRole::New), "替换的内容不能为空！");
    EXPECT_EQ(check("51010", CodeRole::Old), "行政区代码为6位有效数字！");
    EXPECT_EQ(check("51O104", CodeRole::New), "行政区代码为6位有效数字！") << "pasted letters";
    EXPECT_EQ(check("010104", CodeRole::New), "行政区代码首位不能为零！");
    EXPECT_EQ(check("510100", CodeRole::New), "必须填写县级行政区代码！") << "even though cb08 holds it";
    EXPECT_EQ(check("510199", CodeRole::New), "行政区词表中不存在此行政区代码！");
    EXPECT_EQ(check("510105", CodeRole::New), "");
    // The old code is held against the chosen kind tables only.
    EXPECT_EQ(check("410102", CodeRole::Old), "");
    EXPECT_EQ(check("510106", CodeRole::Old), "登记表表中不存在此行政区代码！");
    exec(db(), "DELETE FROM 压覆 WHERE 行政区代码 = 410102");
    EXPECT_EQ(check("410102", CodeRole::Old), "登记表表中不存在此行政区代码！") << "only 占用 holds it";
    EXPECT_EQ(check("410102", CodeRole::Old, true), "");
    EXPECT_EQ(check("999901", CodeRole::Old, true), "登记表表中不存在此行政区代码！");

    // Both boxes wrong: the old one is reported.
    const regions::InputCheck both = regions::Check_Input(db(), "5101", "5", false);
    EXPECT_EQ(both.refusal, "行政区代码为6位有效数字！");
    EXPECT_EQ(both.box, CodeRole::Old);
    const regions::InputCheck fresh = regions::Check_Input(db(), "510104", "510100", false);
    EXPECT_EQ(fresh.box, CodeRole::New);

    // A failing presence query counts as finding nothing, and says why.
    exec(db(), "DROP TABLE cb08");
    const regions::InputCheck broken = regions::Check_Input(db(), "510104", "510105", false);
    EXPECT_EQ(broken.refusal, "行政区词表中不存在此行政区代码！");
    ASSERT_EQ(broken.queryErrors.size(), 1);
    EXPECT_TRUE(broken.queryErrors.first().description.contains("cb08"));
}

TEST_F(RegionCodeReplacementTest, ReplacementChangesOnlyTheChosenKindTables)
{
    const auto overlay = regions::Replace_Region_Code(db(), "510105", "510104", false);
    ASSERT_TRUE(overlay);
    EXPECT_EQ(*overlay, 1);
    EXPECT_EQ(region("压覆", Chengdu1), 510105);
    EXPECT_EQ(region("查明", Found), 510104);
    EXPECT_EQ(Db::scalar(db(), "SELECT count(*) FROM 登记 WHERE 登记号 = ?", {Chengdu1}).toInt(), 1)
        << "numbers keep their digits";

    ASSERT_TRUE(regions::Replace_Region_Code(db(), "510105", "510104", true));
    EXPECT_EQ(region("查明", Found), 510105);
    EXPECT_EQ(*regions::Replace_Region_Code(db(), "410102", "410102", true), 2) << "same code: no change";
}

TEST_F(RegionCodeReplacementTest, AFailingUpdateChangesNothing)
{
    exec(db(), "CREATE TRIGGER refuse BEFORE UPDATE ON 压覆 BEGIN SELECT RAISE(ABORT, '锁定'); END");
    const QByteArray before = bytes(MAINBAS::Database_File());
    const auto failed = regions::Replace_Region_Code(db(), "510105", "510104", true);
    ASSERT_FALSE(failed);
    EXPECT_TRUE(failed.error().description.contains("锁定"));
    EXPECT_EQ(bytes(MAINBAS::Database_File()), before);
    EXPECT_EQ(region("查明", Found), 510104) << "查明 went first and was rolled back";
    EXPECT_FALSE(regions::Replace_Region_Code(db(), "510105", "5101 OR 1", true));
}

TEST_F(RegionCodeReplacementTest, ADatabaseLockedElsewhereIsRefusedWithTheCause)
{
    std::optional<Db::ScopedConnection> other;
    holdWriteLock(other, db());
    const auto refused = regions::Replace_Region_Code(db(), "510105", "510104", false);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().number, 5);
    EXPECT_EQ(refused.error().description, Db::plainCause(5));
    other.reset();
    EXPECT_EQ(region("压覆", Chengdu1), 510104);
}
