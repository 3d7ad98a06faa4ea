// The import by region: the region's rows replaced by the import file's, in one
// transaction.

#include "RegionFixture.h"

#include "regions/RegionImport.h"
#include "shell/MAINBAS.h"

namespace {

class RegionImportTest : public RegionFixture
{
protected:
    void SetUp() override
    {
        RegionFixture::SetUp();
        addSample(db());
        source = copyTemplate("import.mdb");
        file.emplace("import", source, Db::OpenMode::ReadWrite);
        // Chengdu1 again with another filler, a new overlay registration in
        // Chengdu, an identified one there, and one in Mianyang.
        addKind(file->db(), "压覆", Chengdu1, 510104);
        exec(file->db(), "UPDATE 登记 SET 填表人 = '李四'");
        addKind(file->db(), "压覆", Fresh, 510104);
        addKind(file->db(), "查明", FreshFound, 510105);
        addKind(file->db(), "压覆", "4510703099001", 510703);
    }
    void TearDown() override
    {
        file.reset();
        RegionFixture::TearDown();
    }

    Result<regions::RegionImportOutcome> run(const QString& prefix, bool allKinds)
    {
        file.reset();
        return regions::Replace_Region_Data(db(), {source, prefix, allKinds});
    }
    QString filler(const QString& number)
    {
        return Db::scalar(db(), "SELECT 填表人 FROM 登记 WHERE 登记号=?", {number}).toString();
    }

    const QString Fresh = "4510104099001", FreshFound = "1510105099001";
    QString source;
    std::optional<Db::ScopedConnection> file;
};

} // namespace

TEST_F(RegionImportTest, ACityIsReplacedForTheChosenKindsOnly)
{
    const auto imported = run("5101", false);
    ASSERT_TRUE(imported) << imported.error().description.toStdString();
    EXPECT_EQ(imported->registrations, 2);
    EXPECT_EQ(filler(Chengdu1), "李四");
    EXPECT_EQ(rowsIn(db(), "压覆", Chengdu1), whole("压覆"));
    EXPECT_EQ(rowsIn(db(), "压覆", Fresh), whole("压覆"));
    // The import file has nothing of Chengdu2: it is gone all the same.
    EXPECT_EQ(rowsIn(db(), "压覆", Chengdu2), gone("压覆"));
    EXPECT_EQ(rowsIn(db(), "压覆", Mianyang), whole("压覆"));
    EXPECT_EQ(rowsIn(db(), "压覆", "4510703099001"), gone("压覆"));
    // Overlay only: the identified registrations stay and none comes in.
    EXPECT_EQ(rowsIn(db(), "查明", Found), whole("查明"));
    EXPECT_EQ(rowsIn(db(), "查明", FreshFound), gone("查明"));
}

TEST_F(RegionImportTest, NoRegionAndAllKindsReplaceTheWholeKindTables)
{
    const auto imported = run("", true);
    ASSERT_TRUE(imported);
    EXPECT_EQ(imported->registrations, 4);
    EXPECT_EQ(count(db(), "压覆"), 3);
    EXPECT_EQ(count(db(), "占用"), 0);
    EXPECT_EQ(rowsIn(db(), "查明", FreshFound), whole("查明"));
    EXPECT_EQ(rowsIn(db(), "查明", Found), gone("查明"));
    EXPECT_EQ(count(db(), "登记"), 4);
}

TEST_F(RegionImportTest, OldDatesBecomeNullAndAreReported)
{
    exec(db(), "ALTER TABLE 压覆 ADD COLUMN 检查日期 DATE");
    exec(file->db(), "ALTER TABLE 压覆 ADD COLUMN 检查日期 DATE");
    exec(file->db(), "UPDATE 压覆 SET 检查日期 = '0999-12-31' WHERE 登记号 = ?", {Fresh});
    exec(file->db(), "UPDATE 压覆 SET 检查日期 = '1001-01-01' WHERE 登记号 = ?", {Chengdu1});
    const auto imported = run("510104", false);
    ASSERT_TRUE(imported);
    ASSERT_EQ(imported->oldDates.size(), 1);
    EXPECT_EQ(exchange::oldDateMessage(imported->oldDates.first()),
              "[压覆]表第2条记录字段[检查日期]日期型数据:0999-12-31错误...");
    EXPECT_TRUE(Db::scalar(db(), "SELECT 检查日期 FROM 压覆 WHERE 登记号=?", {Fresh}).isNull());
    EXPECT_EQ(Db::scalar(db(), "SELECT 检查日期 FROM 压覆 WHERE 登记号=?", {Chengdu1}).toString(),
              "1001-01-01");
}

TEST_F(RegionImportTest, AFailureLeavesTheWorkingDatabaseAsItWas)
{
    const QString working = MAINBAS::Database_File();
    const QByteArray before = bytes(working);
    // Henan's number under a Chengdu code: the working database holds it outside
    // the cleared region and refuses it.
    addKind(file->db(), "压覆", Henan, 510104);
    const auto clash = run("5101", false);
    ASSERT_FALSE(clash);
    // The refusal names the registration for the clerk to find.
    EXPECT_EQ(clash.error().description,
              "当前数据库中已有登记号为“4410102082001”的登记（行政区代码为410102），与导入文件中的登记重复。"
              "导入已取消，当前数据库没有改动。");
    EXPECT_EQ(bytes(working), before);
    EXPECT_EQ(rowsIn(db(), "压覆", Chengdu2), whole("压覆"));
    // An identified registration's number as an overlay one clashes with its 登记 row.
    runSql(source, {"DELETE FROM 压覆 WHERE 登记号 = '" + Henan + "'",
                    "INSERT INTO 压覆 (登记号, 行政区代码) VALUES ('" + Found + "', 510104)",
                    "INSERT INTO 登记 (登记号) VALUES ('" + Found + "')"});
    EXPECT_EQ(run("5101", false).error().description,
              "当前数据库中已有登记号为“1510104082001”的登记（行政区代码为510104），与导入文件中的登记重复。"
              "导入已取消，当前数据库没有改动。");
    // A detail row without any registration.
    exec(db(), "DELETE FROM 查明 WHERE 登记号 = ?", {Found});
    const QByteArray orphan = bytes(working);
    EXPECT_EQ(run("5101", false).error().description,
              "当前数据库的“登记”表中已有登记号为“1510104082001”的数据，与导入文件中的登记重复。"
              "导入已取消，当前数据库没有改动。");
    EXPECT_EQ(bytes(working), orphan);
    runSql(source, {"DELETE FROM 压覆 WHERE 登记号 = '" + Found + "'",
                    "DELETE FROM 登记 WHERE 登记号 = '" + Found + "'"});

    // A table the import file lacks.
    runSql(source, {"DROP TABLE 停办"});
    const auto missing = run("51", true);
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().description, "源数据库中没有表[停办]");
    EXPECT_EQ(bytes(working), orphan);

    EXPECT_EQ(run("51010", false).error().description, "行政区代码应为2位、4位或6位数字！");
    EXPECT_EQ(bytes(working), orphan);

    // A number the import file repeats.
    repeatRow(source, "报告", Fresh);
    EXPECT_EQ(run("5101", false).error().description,
              "数据重复或其它错误：登记号【4510104099001】\r导入文件的“报告”表中此登记号有多条数据。"
              "导入已取消，当前数据库没有改动。");
    EXPECT_EQ(bytes(working), orphan);
}

TEST_F(RegionImportTest, ADatabaseLockedElsewhereIsRefusedWithTheCause)
{
    std::optional<Db::ScopedConnection> other;
    holdWriteLock(other, db());
    const auto refused = run("5101", false);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().number, 5);
    EXPECT_EQ(refused.error().description, Db::plainCause(5));
    other.reset();
    EXPECT_EQ(filler(Chengdu1), "王五");
}
