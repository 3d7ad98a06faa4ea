#include "CheckFixture.h"

#include "checks/DataCheckRun.h"
#include "exchange/ImportFileCheck.h"

#include <QFileInfo>

using checks::DataCheckRun;

namespace {

class DataCheckReportTest : public CheckFixture
{
protected:
    // Runs the check on `file` read-only, as the dialog does for another file, and
    // returns the report's bytes.
    QByteArray check(const QString& file, checks::DataCheckOutcome* outcome = nullptr)
    {
        closeDatabase();
        std::unique_ptr<Db::ScopedConnection> cn;
        EXPECT_EQ(exchange::Check_Import_File(file, QStringLiteral("压覆"), &cn), 1);
        if (!cn) return {};
        DataCheckRun run(cn->db());
        const auto result = run.run(file, DataCheckRun::reportPath(dir()));
        EXPECT_TRUE(result.ok());
        if (result && outcome) *outcome = *result;
        return readAll(DataCheckRun::reportPath(dir()));
    }
    QByteArray golden(const QString& name, const QString& path)
    {
        QByteArray bytes = readAll(QStringLiteral(ORVANE_CHECKS_GOLDEN "/") + name);
        bytes.replace("<PATH>", path.toUtf8());
        return bytes;
    }
};

TEST_F(DataCheckReportTest, CoverPageListsMissingHeaderFieldsThenTheRegionRuleLines)
{
    const QString file = makeDatabase(QStringLiteral("cover.mdb"));
    const QString a = QStringLiteral("4110101082001"), b = QStringLiteral("4110101082002"),
                  c = QStringLiteral("4110101082003");
    insert("登记", header(a));
    insert("登记", with(header(b), {{"填表人", null()}, {"填表日期", ""}}));
    // Blanks and 0 count as filled.
    insert("登记", with(header(c), {{"填表人", "  "}, {"填表负责人", "0"}}));
    // Not an overlay registration.
    insert("登记", with(header("1110101082001"), {{"填表人", null()}}));
    insert("压覆", with(overlay(a), {{"行政区代码", 110000}}));
    insert("压覆", with(overlay(b), {{"建设单位", null()}, {"行政区代码", null()}}));
    insert("压覆", with(overlay(c), {{"行政区代码", 659999}}));
    insert("压覆", with(overlay("4110101082004"), {{"行政区代码", 109999}}));
    insert("压覆", with(overlay("4110101082005"), {{"行政区代码", 660000}}));
    insert("压覆", with(overlay("4110101082006"), {{"行政区代码", 700000}, {"建设单位", ""}}));
    insert("坐标", coordinates(a));
    insert("坐标", with(coordinates(b), {{"计算坐标", null()}, {"矿权面积", 0}}));

    checks::DataCheckOutcome outcome;
    EXPECT_EQ(check(file, &outcome), golden("cover.txt", file));
    EXPECT_TRUE(outcome.reportWritten);
    EXPECT_FALSE(outcome.noData);
    EXPECT_TRUE(outcome.errors.isEmpty());
}

TEST_F(DataCheckReportTest, FirstPageRulesAreNumberedOnBetweenTheMissingFieldPasses)
{
    const QString file = makeDatabase(QStringLiteral("first.mdb"));
    QStringList djh;
    for (int i = 1; i <= 6; ++i)
        djh << QStringLiteral("411010108200%1").arg(i);
    for (const QString& d : djh)
        insert("登记", header(d));
    insert(
        "压覆",
        with(overlay(djh[0]),
             {{"矿区编号", "110000000"}, {"中心点X坐标", 37.5}, {"中心点Y坐标", 115.25}, {"许可证号", ""}}));
    insert("压覆", with(overlay(djh[1]), {{"矿区编号", "659999999"},
                                          {"所属矿山编号", 1000},
                                          {"中心点X坐标", 0},
                                          {"中心点Y坐标", null()},
                                          {"方位", 361}}));
    insert("压覆", with(overlay(djh[2]), {{"矿区编号", "109999999"},
                                          {"所属矿山编号", -5},
                                          {"中心点X坐标", 401234.5},
                                          {"中心点Y坐标", 5.5},
                                          {"方位", -1}}));
    insert("压覆", with(overlay(djh[3]), {{"矿区编号", "660000000"},
                                          {"方位", 360},
                                          {"中心点X坐标", 4012345},
                                          {"中心点Y坐标", 39512345}}));
    insert("压覆", with(overlay(djh[4]), {{"矿区编号", null()}, {"建设项目名称", ""}, {"矿业权人", null()}}));
    // A mining-area number that reads as no number is greater than every number.
    insert("压覆", with(overlay(djh[5]), {{"矿区编号", "abc"}, {"中心点X坐标", -37.5}}));
    insert("报告", report(djh[0]));
    insert("报告", with(report(djh[1]), {{"评审日期", ""}, {"备案日期", null()}}));
    insert("质量", quality(djh[0], 11001, 0, "70010", "32", "TFe", 35.5, "%", false, 101));
    insert("资源储量", reserve(djh[0], 11001, "111", "111b", null(), {100, 1000, 120, 1200, 0, 0}));

    EXPECT_EQ(check(file), golden("firstpage.txt", file));
}

TEST_F(DataCheckReportTest, ReviewSectionCoversReviewFieldsQualityAveragesAndReserveRules)
{
    const QString file = makeDatabase(QStringLiteral("review.mdb"));
    const QString r1 = "4110101082001", r2 = "4110101082002", r3 = "4110101082003", r4 = "4110101082004";
    insert("登记", with(header(r1), {{"审定意见", ""}, {"审定日期", null()}, {"初审意见", ""}}));
    insert("登记", with(header(r2), {{"核实日期", ""}, {"审定负责人", "   "}}));
    insert("登记", header(r3));
    insert("登记", header(r4));
    for (const QString& d : {r1, r2, r3, r4}) {
        insert("压覆", overlay(d));
        insert("报告", report(d));
        insert("坐标", coordinates(d));
    }
    insert("质量", quality(r1, 11001, 0, "70010", "32", "TFe", null(), "%", false, 101));
    insert("质量", quality(r1, 11001, 0, "70000", "30", "TFe", 30, "%", false, 102));
    // Rows that differ only in the component are one combination.
    insert("质量", quality(r2, 11001, 0, "70010", "32", "TFe", 30, "%", false, 101));
    insert("质量", quality(r2, 11001, 0, "70010", "32", "SiO2", 5, "%", false, 102));
    // Two ore types with an average row.
    insert("质量", quality(r3, 22001, 0, "1", "1", "Cu", 1.2, "%", false, 101));
    insert("质量", quality(r3, 22001, 0, "2", "1", "Cu", 1.0, "%", false, 102));
    insert("质量", quality(r3, 22001, 0, "均值", "", "Cu", 1.1, "%", true, 103));
    insert("质量", quality(r4, 11001, 1, "1", "1", null(), 5, "", false, 101));
    insert("质量", quality(r4, 11001, 1, "2", "1", "TFe", 5, "%", false, 102));
    // Counted as an overlay row but not examined for its fields.
    insert("质量", quality("4000000000000", 11001, 0, "1", "1", "TFe", null(), "%", false, 101));
    insert("质量", quality("1110101082001", 11001, 0, "1", "1", null(), null(), null(), false, 101));

    insert("资源储量", reserve(r1, 11001, "331", null(), null(), {0, 10, 0, 0, 0, 0}));
    insert("资源储量", reserve(r1, 11001, "", null(), null(), {5, 0, 0, 0, 0, 0}));
    insert("资源储量", reserve(r2, 11001, "111", "111b", null(), {10, 100, 8, 100, 0, 0}));
    insert("资源储量", reserve(r2, 11001, "111", "111b", null(), {8, 100, 8, 100, 0, 0}));
    insert("资源储量", reserve(r2, 11001, "111", "111b", null(), {8, 100, null(), 100, 0, 0}));
    insert("资源储量", reserve(r3, 22001, "121", "122b", null(), {10, 10, 1, 1, 0, 0}));
    insert("资源储量", reserve(r3, 22001, "122", "122b", null(), {5, 50, 5, 40, 0, 0}));
    insert("资源储量", reserve(r3, 22001, "121", "121b", null(), {7, 50, 6, 60, 0, 0}));
    insert("资源储量", reserve(r4, 11001, null(), null(), null(), {0, 0, 0, 0, 0, 0}));
    insert("资源储量",
           reserve(r4, 11001, null(), null(), null(), {null(), null(), null(), null(), null(), null()}));
    insert("资源储量", reserve(r4, 11001, null(), null(), null(), {0, 5, 0, 0, 0, 0}));
    insert("资源储量", reserve(r4, 11001, "121b", null(), null(), {1, 1, 0, 0, 0, 0}));
    insert("资源储量", reserve("1110101082001", 11001, "331", null(), null(), {0, 0, 0, 0, 0, 0}));

    EXPECT_EQ(check(file), golden("review.txt", file));
}

TEST_F(DataCheckReportTest, RuleLinesNeverTakeTheTitle)
{
    const QString file = makeDatabase(QStringLiteral("rules.mdb"));
    const QString t1 = "4110101082001", t2 = "4110101082002";
    completeRegistration(t1);
    insert("登记", header(t2));
    insert("压覆", with(overlay(t2), {{"行政区代码", 700000}, {"方位", 361}, {"所属矿山编号", 1000}}));
    insert("报告", with(report(t2), {{"评估师", ""}}));
    insert("坐标", coordinates(t2));
    insert("质量", quality(t2, 11001, 0, "70010", "32", "TFe", 35.5, "%", false, 101));
    insert("资源储量", reserve(t2, 11001, "331", null(), null(), {1, 1, 0, 0, 0, 0}));

    EXPECT_EQ(check(file), golden("rules-only.txt", file));
}

TEST_F(DataCheckReportTest, ACleanDatabaseGivesThePathLineAloneAndARunReplacesTheReport)
{
    const QString file = makeDatabase(QStringLiteral("clean.mdb"));
    completeRegistration("4110101082001");
    const QByteArray expected = "路径：" + file.toUtf8() + "\r\n\r\n";
    EXPECT_EQ(check(file), expected);
    EXPECT_EQ(check(file), expected);
}

TEST_F(DataCheckReportTest, WithoutOverlayRowsNoReportIsWritten)
{
    const QString empty = makeDatabase(QStringLiteral("empty.mdb"));
    checks::DataCheckOutcome outcome;
    check(empty, &outcome);
    EXPECT_FALSE(outcome.reportWritten);
    EXPECT_TRUE(outcome.noData);
    EXPECT_FALSE(QFileInfo::exists(DataCheckRun::reportPath(dir())));

    // Registrations in 登记 but none in 压覆: no overlay data to check either.
    const QString headers = makeDatabase(QStringLiteral("headers.mdb"));
    insert("登记", header("4110101082001"));
    check(headers, &outcome);
    EXPECT_FALSE(outcome.reportWritten);
    EXPECT_TRUE(outcome.noData);
}

TEST_F(DataCheckReportTest, TheCheckedFileIsNeverWritten)
{
    const QString file = makeDatabase(QStringLiteral("kept.mdb"));
    completeRegistration("4110101082001");
    insert("登记", with(header("4110101082002"), {{"填表人", null()}}));
    closeDatabase();
    const QByteArray before = readAll(file);
    const QDateTime modified = QFileInfo(file).lastModified();
    check(file);
    EXPECT_EQ(readAll(file), before);
    EXPECT_EQ(QFileInfo(file).lastModified(), modified);
    EXPECT_FALSE(QFileInfo::exists(file + QStringLiteral("-journal")));
}

TEST_F(DataCheckReportTest, AMissingTableIsReportedOnceAndTheRunGoesOn)
{
    const QString file = makeDatabase(QStringLiteral("odd.mdb"));
    completeRegistration("4110101082001");
    QSqlQuery(db()).exec(QStringLiteral("DROP TABLE 资源储量"));
    QSqlQuery(db()).exec(QStringLiteral("ALTER TABLE 压覆 DROP COLUMN 方位"));
    checks::DataCheckOutcome outcome;
    const QByteArray bytes = check(file, &outcome);
    // The rule that reads the missing column fails on its row.
    EXPECT_TRUE(bytes.contains("   1.登记号(4110101082001),基本情况,方位应处于0至360。\r\r\n"))
        << bytes.constData();
    // The column 方位, once for all rows; the count and the scan of 资源储量 fail
    // alike: one failure.
    ASSERT_EQ(outcome.errors.size(), 2);
    EXPECT_EQ(outcome.errors.at(0).description, QStringLiteral("表 压覆 中没有列 方位"));
    EXPECT_TRUE(outcome.errors.at(1).description.contains(QStringLiteral("no such table")));
    // A table the file lacks is left out; the rest was read to its end.
    EXPECT_FALSE(outcome.stoppedEarly);
    EXPECT_FALSE(bytes.contains("数据检查中途停止"));
}

TEST_F(DataCheckReportTest, AReportThatCannotBeWrittenIsAFailure)
{
    const QString file = makeDatabase(QStringLiteral("w.mdb"));
    completeRegistration("4110101082001");
    closeDatabase();
    Db::ScopedConnection cn(QStringLiteral("w"), file, Db::OpenMode::ReadOnly);
    DataCheckRun run(cn.db());
    const auto result = run.run(file, dir() + QStringLiteral("/no-such-folder/数据检查结果.txt"));
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().number, 75);
}

} // namespace
