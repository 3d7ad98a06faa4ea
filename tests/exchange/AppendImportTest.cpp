// The append import of a whole database: the plans, the kinds, repeated
// registrations, and a failure.

#include "ExchangeFixture.h"

#include "exchange/AppendImport.h"
#include "shell/MAINBAS.h"

namespace {

const QString A = "4510104082001", B = "4510104082002", Z = "1510104082001";

class AppendImportTest : public ExchangeFixture
{
protected:
    void SetUp() override
    {
        ExchangeFixture::SetUp();
        source = copyTemplate("all.mdb");
        src.emplace("src", source, Db::OpenMode::ReadWrite);
        ASSERT_TRUE(src->ok());
        addRegistration(src->db(), A);
        addRegistration(src->db(), B);
        // An identified registration: its kind row in 查明 instead of 压覆.
        addRegistration(src->db(), Z);
        exec(src->db(), "DELETE FROM 压覆 WHERE 登记号=?", {Z});
        exec(src->db(), "INSERT INTO 查明 (登记号, 矿区名称) VALUES (?, '查明矿区')", {Z});
    }
    void TearDown() override
    {
        src.reset();
        ExchangeFixture::TearDown();
    }

    QString source;
    std::optional<Db::ScopedConnection> src;
};

QString steps(const QList<exchange::AppendStep>& plan, int from, int to)
{
    QStringList s;
    for (int i = from; i <= to; ++i)
        s << plan[i].kind + "/" + plan[i].table;
    return s.join(' ');
}

} // namespace

TEST_F(AppendImportTest, ThePlans)
{
    const auto overlay = exchange::appendPlan(false);
    ASSERT_EQ(overlay.size(), 6);
    EXPECT_EQ(steps(overlay, 0, 5), "压覆/压覆 压覆/登记 压覆/报告 压覆/质量 压覆/资源储量 压覆/坐标");
    const auto all = exchange::appendPlan(true);
    ASSERT_EQ(all.size(), 24);
    EXPECT_EQ(steps(all, 0, 5), "查明/查明 占用/占用 停办/停办 压覆/压覆 查明/登记 查明/报告");
    EXPECT_EQ(steps(all, 18, 23), "停办/坐标 压覆/登记 压覆/报告 压覆/质量 压覆/资源储量 压覆/坐标");
    // The tables a plan reads, each once in the order first read.
    for (const bool everyKind : {false, true}) {
        QStringList read;
        for (const exchange::AppendStep& step : exchange::appendPlan(everyKind))
            if (!read.contains(step.table)) read << step.table;
        EXPECT_EQ(exchange::appendTables(everyKind), read) << everyKind;
    }
}

TEST_F(AppendImportTest, OverlayOnlyLeavesTheOtherKindsAlone)
{
    QList<int> progress;
    const auto r = exchange::appendDatabase(db(), source, false, [&](int d, int t) {
        progress << d;
        return t == 6;
    });
    ASSERT_TRUE(r.ok()) << r.error().description.toStdString();
    EXPECT_TRUE(r->duplicates.isEmpty());
    EXPECT_EQ(progress.size(), 7);
    EXPECT_EQ(rowsOf(db(), A), full());
    EXPECT_EQ(rowsOf(db(), B), full());
    EXPECT_EQ(rowsOf(db(), Z), none()); // its 登记 row has no 压覆 row
    EXPECT_EQ(count(db(), "查明"), 0);
}

TEST_F(AppendImportTest, AllKindsTakeTheIdentifiedRegistrationToo)
{
    const auto r = exchange::appendDatabase(db(), source, true);
    ASSERT_TRUE(r.ok()) << r.error().description.toStdString();
    EXPECT_EQ(rowsOf(db(), Z), "登记=1 压覆=0 报告=1 质量=2 资源储量=2 坐标=1");
    EXPECT_EQ(Db::scalar(db(), "SELECT 矿区名称 FROM 查明 WHERE 登记号=?", {Z}).toString(), "查明矿区");
    EXPECT_EQ(rowsOf(db(), A), full());
}

TEST_F(AppendImportTest, ARegistrationThatExistsIsReportedAndSkippedWithAllItsRows)
{
    addRegistration(db(), A, "本库的");
    // The same number in two kinds of the source: the later kind is the repeat.
    exec(src->db(), "INSERT INTO 查明 (登记号) VALUES (?)", {B});
    const auto r = exchange::appendDatabase(db(), source, true);
    ASSERT_TRUE(r.ok()) << r.error().description.toStdString();
    EXPECT_EQ(r->duplicates, QStringList({A, B}));
    EXPECT_EQ(exchange::duplicatesLead(int(r->duplicates.size())), "数据重复或其它错误：以下2个登记号未导入");
    // Reserves are never doubled.
    EXPECT_EQ(rowsOf(db(), A), full());
    EXPECT_EQ(Db::scalar(db(), "SELECT 建设项目名称 FROM 压覆 WHERE 登记号=?", {A}).toString(), "本库的");
    EXPECT_EQ(rowsOf(db(), B), "登记=1 压覆=0 报告=1 质量=2 资源储量=2 坐标=1");
    EXPECT_EQ(count(db(), "查明"), 2);
}

TEST_F(AppendImportTest, AFailureLeavesTheWorkingDatabaseByteIdentical)
{
    exec(src->db(), "DROP TABLE 坐标"); // a table of the plan missing in the source
    const QByteArray before = bytes(MAINBAS::Database_File());
    const auto r = exchange::appendDatabase(db(), source, false);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(bytes(MAINBAS::Database_File()), before);
    EXPECT_EQ(count(db(), "登记"), 0);
}

// A kind row whose number is a blob of a registration's digits is no registration:
// it is reported, and the registration of that number as text is appended whole.
TEST_F(AppendImportTest, ANumberThatIsABlobDoesNotKeepOutTheTextOfItsDigits)
{
    exec(src->db(), "INSERT INTO 查明 (登记号) VALUES (CAST(? AS BLOB))", {Z});
    ASSERT_EQ(count(src->db(), "查明"), 2);
    const auto r = exchange::appendDatabase(db(), source, true);
    ASSERT_TRUE(r.ok()) << r.error().description.toStdString();
    EXPECT_EQ(r->duplicates, QStringList({Z}));
    EXPECT_EQ(rowsOf(db(), Z), "登记=1 压覆=0 报告=1 质量=2 资源储量=2 坐标=1");
    EXPECT_EQ(Db::scalar(db(), "SELECT typeof(登记号) FROM 查明").toString(), "text");
    EXPECT_EQ(rowsOf(db(), A), full());
}
