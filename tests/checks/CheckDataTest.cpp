#include "CheckFixture.h"
#include "support/SampleRegistrations.h"

#include "checks/CheckDataRun.h"

#include <QFileInfo>

using checks::CheckDataRun;

namespace {

class CheckDataTest : public CheckFixture
{
protected:
    void SetUp() override
    {
        CheckFixture::SetUp();
        openWorkingDatabase();
        openDatabase(workingFile());
    }
    QString workingFile() const { return path(QStringLiteral("djk.mdb")); }
    QString reportFile() const { return path(QStringLiteral("djk.Txt")); }

    Result<CheckDataRun::Outcome> runChecks(bool required, bool numeric, bool consistency)
    {
        closeDatabase();
        checks::CheckGroups groups;
        groups.required = required;
        groups.numeric = numeric;
        groups.consistency = consistency;
        return CheckDataRun(dir(), workingFile()).run(groups);
    }
    // A reserve row of an ore-row key with the columns in `fields`.
    void reserveRow(const QString& djh, int mineral, int type, int grade, const QVariantMap& fields)
    {
        insert("资源储量", with({{"登记号", djh},
                                 {"矿产代码", mineral},
                                 {"统计对象", 0},
                                 {"矿石类型", type},
                                 {"矿石品级", grade},
                                 {"矿产组合码", 1}},
                                fields));
    }
};

TEST_F(CheckDataTest, TheReportHoldsTheFindingsOfAllThreeGroupsInOrder)
{
    const QString y1 = "4110101082001", y2 = "4110101082002", y3 = "4110101082003", y4 = "4110101082004",
                  y5 = "4110101082005";
    for (const QString& d : {y1, y2, y3, y4, y5})
        insert("登记", header(d));
    insert("查明", {{"登记号", "1110101082001"},
                    {"探矿权人", null()},
                    {"矿区编号", "110101001"},
                    {"行政区代码", 110101}});
    // Blanks count as missing, and so does a region code of 0.
    insert("查明",
           {{"登记号", "1110101082002"}, {"探矿权人", "甲公司"}, {"矿区编号", "  "}, {"行政区代码", 0}});
    insert("查明", {{"登记号", "1110101082003"},
                    {"探矿权人", "丙公司"},
                    {"矿区编号", "110101003"},
                    {"行政区代码", 110101}});
    insert("占用", {{"登记号", "2110101082001"},
                    {"采矿权人", "乙公司"},
                    {"矿区编号", "110101002"},
                    {"所属矿山编号", 0},
                    {"矿区名称", "某矿区"},
                    {"行政区代码", 110101}});
    insert("压覆", overlay(y1));
    // The mine number is shown but not tested for overlay registrations.
    insert("压覆", with(overlay(y2), {{"所属矿山编号", 0}}));
    insert("压覆", with(overlay(y3), {{"建设单位", "   "}}));
    insert("坐标", coordinates(y1));
    insert("坐标", with(coordinates(y2), {{"矿权坐标", ""}}));
    insert("坐标", with(coordinates(y3), {{"计算坐标", null()}}));
    insert("报告", report(y1));

    reserveRow(y1, 11001, 70010, 32, {{"储量类型", "111"}, {"金属量1", 5}, {"矿石量1", 50}});
    reserveRow(y1, 11001, 70010, 32, {{"基础储量类型", "111b"}, {"金属量2", 5}, {"矿石量2", 60}});
    // Its 111b partner has another grade: compared with 0.
    reserveRow(y1, 11001, 70010, 30, {{"储量类型", "111"}, {"金属量1", 5}, {"矿石量1", 0}});
    reserveRow(y1, 11001, 70010, 31, {{"基础储量类型", "111b"}, {"金属量2", 9}, {"矿石量2", 9}});
    // Compared by absolute value.
    reserveRow(y2, 22001, 1, 1, {{"储量类型", "122"}, {"金属量1", -3}, {"矿石量1", 0}});
    reserveRow(y2, 22001, 1, 1, {{"基础储量类型", "122b"}, {"金属量2", 2}, {"矿石量2", 0}});
    // A negative amount of a deduction row is no finding.
    reserveRow(y2, 22001, 1, 1, {{"资源量类型", "331"}, {"金属量3", -1}, {"扣矿区编号", "110101009"}});
    reserveRow(y3, 11001, 70010, 32, {{"资源量类型", "333"}, {"金属量3", 10}, {"矿产组合码", 9}});
    reserveRow(y3, 11001, 70010, 32, {{"资源量类型", "333"}, {"金属量3", 20}, {"矿产组合码", 9}});
    reserveRow(y3, 11001, 70010, 32, {{"资源量类型", "333"}, {"金属量3", 5}, {"矿产组合码", null()}});
    reserveRow(y5, 11001, 70010, 32,
               {{"储量类型", "111"},
                {"金属量1", 1},
                {"矿石量1", 1},
                {"基础储量类型", "111b"},
                {"金属量2", 1},
                {"矿石量2", 1}});
    reserveRow(y5, 11001, 70010, 30, {{"资源量类型", "333"}, {"金属量3", 1}});

    insert("质量", quality(y1, 11001, 0, "70010", "32", "TFe", 30, "%", false, 101));
    // An average row and a row without a component name hold no composition.
    insert("质量", quality(y1, 11001, 0, "70010", "30", "TFe", 30, "%", true, 102));
    insert("质量", quality(y1, 11001, 0, "70010", "31", "", 1, "%", false, 103));
    insert("质量", quality(y2, 22001, 0, "1", "1", "Cu", 1, "%", false, 101));
    insert("质量", quality(y3, 11001, 0, "70010", "32", "TFe", 30, "%", false, 101));

    const auto result = runChecks(true, true, true);
    ASSERT_TRUE(result.ok()) << result.error().description.toStdString();
    EXPECT_EQ(*result, CheckDataRun::Outcome::Done);
    EXPECT_EQ(readAll(reportFile()), readAll(QStringLiteral(ORVANE_CHECKS_GOLDEN "/second-check.txt")));
}

TEST_F(CheckDataTest, AWorkingDatabaseWithoutFaultsGivesAnEmptyReport)
{
    completeRegistration("4110101082001");
    writeFile(QStringLiteral("djk.Txt"), "an earlier report");
    ASSERT_TRUE(runChecks(true, true, true).ok());
    EXPECT_TRUE(QFileInfo::exists(reportFile()));
    EXPECT_EQ(QFileInfo(reportFile()).size(), 0);
}

TEST_F(CheckDataTest, AnotherProgramWritingToTheDatabaseDoesNotStopTheCheck)
{
    completeRegistration("4110101082001");
    closeDatabase();
    Db::ScopedConnection other(QStringLiteral("other"), workingFile(), Db::OpenMode::ReadWrite);
    ASSERT_TRUE(Db::exec(other.db(), QStringLiteral("BEGIN IMMEDIATE")).has_value());
    ASSERT_TRUE(Db::exec(other.db(), QStringLiteral("UPDATE 压覆 SET 建设项目名称='未提交'")).has_value());
    const auto result = runChecks(true, true, true);
    Db::exec(other.db(), QStringLiteral("ROLLBACK"));
    ASSERT_TRUE(result.ok()) << result.error().description.toStdString();
    EXPECT_EQ(*result, CheckDataRun::Outcome::Done);
}

TEST_F(CheckDataTest, TheWorkDatabaseHoldsTheNineTablesAndNotTheDroppedOnes)
{
    completeRegistration("4110101082001");
    insert("查明", {{"登记号", "1110101082001"}, {"探矿权人", "甲"}});
    insert("参数表", {{"省代码", 110000}});
    const QByteArray before = (closeDatabase(), readAll(workingFile()));
    ASSERT_TRUE(runChecks(false, false, true).ok());
    EXPECT_EQ(readAll(workingFile()), before);

    Db::ScopedConnection work(QStringLiteral("t"), CheckDataRun::workPath(dir()), Db::OpenMode::ReadOnly);
    ASSERT_TRUE(work.ok());
    for (const QString t : {"登记", "压覆", "查明", "报告", "坐标", "质量", "资源储量"})
        EXPECT_EQ(Db::scalar(work.db(), QStringLiteral("SELECT count(*) FROM ") + t).toInt(), 1)
            << t.toStdString();
    for (const QString t : {"cb01", "cb04", "cb08", "cb13", "参数表"})
        EXPECT_FALSE(Db::hasTable(work.db(), t)) << t.toStdString();
    EXPECT_TRUE(Db::hasTable(work.db(), QStringLiteral("cb02")));
    EXPECT_TRUE(Db::hasTable(work.db(), QStringLiteral("无质量数据")));
}

TEST_F(CheckDataTest, AMissingTemplateStopsTheRun)
{
    writeFile(QStringLiteral("临时.mdb"), "left from the last run");
    QFile::remove(path(QStringLiteral("djk.sys")));
    const auto result = runChecks(true, false, false);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(*result, CheckDataRun::Outcome::TemplateMissing);
    EXPECT_FALSE(QFileInfo::exists(CheckDataRun::workPath(dir())));
    EXPECT_FALSE(QFileInfo::exists(reportFile()));
}

TEST_F(CheckDataTest, TheJournalOfAKilledRunGoesWithItsWorkCopy)
{
    Db::Error e;
    ASSERT_TRUE(SampleRegistrations::fill(db(), {200}, &e)) << e.description.toStdString();
    ASSERT_TRUE(runChecks(true, true, true).ok());
    const QByteArray report = readAll(reportFile());
    // A run killed half way through its checks leaves a hot journal beside its copy:
    // the pages that the checks had changed, written through to the disk.
    const QString work = CheckDataRun::workPath(dir());
    QByteArray journal;
    {
        Db::ScopedConnection killed(QStringLiteral("killed"), work, Db::OpenMode::ReadWrite);
        for (const QString sql : {"PRAGMA cache_size=10", "BEGIN", "DROP TABLE 登记",
                                  "CREATE TABLE 登记 AS SELECT * FROM 资源储量"})
            ASSERT_TRUE(Db::exec(killed.db(), sql).has_value()) << sql.toStdString();
        journal = readAll(work + QStringLiteral("-journal"));
        Db::exec(killed.db(), QStringLiteral("ROLLBACK"));
    }
    for (const QString end : {"-journal", "-wal", "-shm"})
        writeFile(QStringLiteral("临时.mdb") + end, end == QStringLiteral("-journal") ? journal : "stale");

    const auto result = runChecks(true, true, true);
    ASSERT_TRUE(result.ok()) << result.error().description.toStdString();
    EXPECT_EQ(*result, CheckDataRun::Outcome::Done);
    EXPECT_EQ(readAll(reportFile()), report);
    Db::ScopedConnection copy(QStringLiteral("copy"), work, Db::OpenMode::ReadOnly);
    EXPECT_TRUE(Db::checkIntegrity(copy.db(), &e)) << e.description.toStdString();
    for (const QString end : {"-journal", "-wal", "-shm"})
        EXPECT_FALSE(QFileInfo::exists(work + end)) << end.toStdString();
}

TEST_F(CheckDataTest, TheReportIsNamedAfterTheDatabaseFile)
{
    EXPECT_EQ(CheckDataRun::reportPath(QStringLiteral("/data/djk.mdb")), QStringLiteral("/data/djk.Txt"));
    EXPECT_EQ(CheckDataRun::reportPath(QStringLiteral("/data/登记库.sqlite")),
              QStringLiteral("/data/登记库.sqlTxt"));
}

TEST_F(CheckDataTest, AReportThatCannotBeWrittenIsAFailure)
{
    completeRegistration("4110101082001");
    closeDatabase();
    QDir().mkdir(reportFile()); // a folder in the report's place
    const auto result = runChecks(true, false, false);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().number, 75);
}

} // namespace
