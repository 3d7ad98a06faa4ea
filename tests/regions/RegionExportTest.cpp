// Export by region into a new file made from the template.

#include "RegionFixture.h"

#include "regions/RegionExport.h"
#include "shell/KCUTIL_Province.h"
#include "shell/MAINBAS.h"

namespace {

class RegionExportTest : public RegionFixture
{
protected:
    void SetUp() override
    {
        RegionFixture::SetUp();
        addSample(db());
        target = path("out.mdb");
    }

    Status run(const QString& prefix, bool allKinds, const exchange::Progress& progress = {})
    {
        regions::RegionExportRequest r;
        r.templatePath = path("djk.sys");
        r.target = target;
        r.prefix = prefix;
        r.allKinds = allKinds;
        r.provinceCode = 510000;
        return regions::exportRegion(db(), r, progress);
    }

    QString target;
};

} // namespace

TEST_F(RegionExportTest, ACityExportHoldsOnlyThatCitysOverlayRegistrations)
{
    int steps = 0;
    ASSERT_TRUE(run("5101", false, [&](int, int total) {
        steps = total;
        return true;
    }));
    EXPECT_EQ(steps, 6);
    Db::ScopedConnection out("out", target, Db::OpenMode::ReadOnly);
    ASSERT_TRUE(out.ok());
    EXPECT_EQ(rowsIn(out.db(), "压覆", Chengdu1), whole("压覆"));
    EXPECT_EQ(rowsIn(out.db(), "压覆", Chengdu2), whole("压覆"));
    EXPECT_EQ(rowsIn(out.db(), "压覆", Mianyang), gone("压覆"));
    EXPECT_EQ(rowsIn(out.db(), "压覆", Henan), gone("压覆"));
    // Overlay only keeps the identified registration of the same county out.
    EXPECT_EQ(rowsIn(out.db(), "查明", Found), gone("查明"));
    EXPECT_EQ(Db::scalar(out.db(), "SELECT 省代码 FROM 参数表").toInt(), 510000);
    EXPECT_EQ(Db::scalar(out.db(), "SELECT 版本号 FROM 数据库参数").toString(), "1.44");
}

TEST_F(RegionExportTest, AllKindsCarryEachKindThroughItsOwnTable)
{
    ASSERT_TRUE(run("51", true));
    {
        // Closed before the next export replaces the file: no file in use is replaced.
        Db::ScopedConnection out("out", target, Db::OpenMode::ReadOnly);
        EXPECT_EQ(rowsIn(out.db(), "查明", Found), whole("查明"));
        EXPECT_EQ(rowsIn(out.db(), "压覆", Mianyang), whole("压覆"));
        EXPECT_EQ(rowsIn(out.db(), "占用", Used), gone("占用"));
        EXPECT_EQ(count(out.db(), "登记"), 4);
    }

    // A six-digit county code compares the whole code.
    ASSERT_TRUE(run("410102", true));
    Db::ScopedConnection again("again", target, Db::OpenMode::ReadOnly);
    EXPECT_EQ(rowsIn(again.db(), "占用", Used), whole("占用"));
    EXPECT_EQ(rowsIn(again.db(), "压覆", Henan), whole("压覆"));
    EXPECT_EQ(count(again.db(), "登记"), 2);
}

TEST_F(RegionExportTest, NoRegionTakesEveryRegion)
{
    // Overlay only: every 压覆 row and the detail rows of overlay numbers.
    exec(db(), "INSERT INTO 压覆 (登记号, 行政区代码) VALUES ('1510104082001', 510104)");
    ASSERT_TRUE(run("", false));
    {
        Db::ScopedConnection out("out", target, Db::OpenMode::ReadOnly);
        EXPECT_EQ(count(out.db(), "压覆"), 5);
        EXPECT_EQ(count(out.db(), "登记"), 4) << "the 登记 row of 1510104082001 begins with 1";
    }
    // Every kind: the working database itself, dictionaries and settings included.
    ASSERT_TRUE(KCUTIL::Store_Province_Code(db(), 410000));
    ASSERT_TRUE(run("", true));
    Db::ScopedConnection out("whole", target, Db::OpenMode::ReadOnly);
    EXPECT_EQ(count(out.db(), "登记"), 6);
    EXPECT_EQ(count(out.db(), "cb08"), count(db(), "cb08"));
    EXPECT_EQ(Db::scalar(out.db(), "SELECT 省代码 FROM 参数表").toInt(), 410000);
}

TEST_F(RegionExportTest, FailuresLeaveTargetAndWorkingDatabaseAlone)
{
    const QString working = MAINBAS::Database_File();
    writeFile("out.mdb", "keep");
    const QByteArray before = bytes(working);

    // The working database or the template as the target is refused.
    target = working;
    EXPECT_FALSE(run("51", false));
    target = path("djk.sys");
    EXPECT_FALSE(run("51", true));

    // A template without 报告: the copy fails and nothing lands.
    target = path("out.mdb");
    runSql(path("djk.sys"), {"DROP TABLE 报告"});
    const Status failed = run("51", true);
    ASSERT_FALSE(failed);
    EXPECT_EQ(failed.error().description, "目标数据库中没有表[报告]");
    EXPECT_EQ(bytes(path("out.mdb")), "keep");
    EXPECT_EQ(bytes(working), before);
    EXPECT_EQ(QDir(dir()).entryList(QDir::Files | QDir::Hidden).filter("out.mdb."), QStringList());

    // A stop asked for by the progress callback counts as a failure too.
    EXPECT_FALSE(run("51", false, [](int done, int) { return done < 2; }));
    EXPECT_EQ(bytes(path("out.mdb")), "keep");
}
