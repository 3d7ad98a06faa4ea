// The import engine on fixture files: renumbering, the number filter, the date
// boundary, the prefix that is full, and a failure that leaves nothing behind.

#include "ExchangeFixture.h"

#include "exchange/AppendImport.h"
#include "exchange/ImportEngine.h"
#include "shell/MAINBAS.h"

#include <functional>

namespace {

const QString P = "4510104082"; // one prefix

class ImportEngineTest : public ExchangeFixture
{
protected:
    void SetUp() override
    {
        ExchangeFixture::SetUp();
        addRegistration(db(), P + "001", "已有一");
        addRegistration(db(), P + "005", "已有五");
        source = copyTemplate("import.mdb");
        src.emplace("src", source, Db::OpenMode::ReadWrite);
        ASSERT_TRUE(src->ok());
    }
    void TearDown() override
    {
        src.reset();
        ExchangeFixture::TearDown();
    }

    Result<exchange::ImportOutcome> import(const QStringList& numbers, bool all = false)
    {
        exchange::ImportRequest r;
        r.sourcePath = source;
        r.numbers = numbers;
        r.allNumbers = all;
        return exchange::importRegistrations(db(), r);
    }

    QString project(const QString& number)
    {
        return Db::scalar(db(), "SELECT 建设项目名称 FROM 压覆 WHERE 登记号=?", {number}).toString();
    }

    QString source;
    std::optional<Db::ScopedConnection> src;
};

} // namespace

TEST_F(ImportEngineTest, ClashingNumbersTakeTheNextSerialsAndTheirRowsFollow)
{
    for (const QString& n : {P + "001", P + "005", P + "002", P + "006", QString("4520000082001")})
        addRegistration(src->db(), n, "来" + n.right(3));
    exec(src->db(), "UPDATE 资源储量 SET 原登记号='4510104082777' WHERE 登记号=?", {P + "001"});
    const auto r = import({}, true);
    ASSERT_TRUE(r.ok()) << r.error().description.toStdString();
    EXPECT_EQ(r->registrations, 5);
    ASSERT_EQ(r->renumbered.size(), 3);
    EXPECT_EQ(r->renumbered[0].from + ">" + r->renumbered[0].to, P + "001>" + P + "006");
    EXPECT_EQ(r->renumbered[1].from + ">" + r->renumbered[1].to, P + "005>" + P + "007");
    // 006 was free before the import but was given to 001 in it.
    EXPECT_EQ(r->renumbered[2].from + ">" + r->renumbered[2].to, P + "006>" + P + "008");
    EXPECT_EQ(project(P + "001"), "已有一");
    EXPECT_EQ(project(P + "006"), "来001");
    EXPECT_EQ(project(P + "008"), "来006");
    EXPECT_EQ(project(P + "002"), "来002");
    for (const QString& n : {P + "006", P + "007", P + "008", P + "002", QString("4520000082001")})
        EXPECT_EQ(rowsOf(db(), n), full()) << n.toStdString();
    EXPECT_EQ(rowsOf(db(), P + "001"), full());
    EXPECT_EQ(Db::scalar(db(), "SELECT count(*) FROM 资源储量 WHERE 原登记号='4510104082777'").toInt(), 2);
}

TEST_F(ImportEngineTest, OnlyChosenOverlayNumbersOfThirteenCharactersAreCopied)
{
    for (const QString& n : {P + "002", P + "003", QString("1510104082001"), QString("451010408200")})
        addRegistration(src->db(), n);
    // Rows of a registration without its 登记 row stay behind.
    exec(src->db(), "INSERT INTO 质量 (登记号, 组分名) VALUES (?, 'Cu')", {P + "004"});
    auto r = import({P + "003", "1510104082001", "451010408200", P + "004"});
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r->registrations, 1);
    EXPECT_EQ(rowsOf(db(), P + "003"), full());
    EXPECT_EQ(rowsOf(db(), P + "002"), none());
    EXPECT_EQ(rowsOf(db(), "1510104082001"), none());
    EXPECT_EQ(rowsOf(db(), "451010408200"), none());
    EXPECT_EQ(rowsOf(db(), P + "004"), none());
    EXPECT_EQ(count(db(), "登记"), 3);

    // Every listed number chosen: the filter still holds.
    r = import({}, true);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r->registrations, 2); // 002, and 003 again as 006
    EXPECT_EQ(rowsOf(db(), "1510104082001"), none());
    EXPECT_EQ(exchange::importTables(true),
              QStringList({"登记", "压覆", "查明", "占用", "停办", "报告", "质量", "资源储量", "坐标"}));
}

// The row of the date message is its place among the rows the step reads: the
// chosen numbers' rows, the whole table, or the rows of the append plan's step. A
// row that the number filter skips counts; a row outside the selection does not.
TEST_F(ImportEngineTest, DatesOfTheYear1000BecomeNullAndAreReportedByTheirPlaceInTheStep)
{
    exec(db(), "ALTER TABLE 报告 ADD COLUMN 核查日期 DATE");
    exec(src->db(), "ALTER TABLE 报告 ADD COLUMN 核查日期 DATE");
    const QString shortNumber = "451010408200"; // twelve characters: the filter skips it
    for (const QString& n : {QString("1510104082001"), P + "004", shortNumber, P + "002", P + "003"})
        addRegistration(src->db(), n);
    exec(src->db(), "DELETE FROM 压覆 WHERE 登记号='1510104082001'"); // of no kind the append takes
    exec(src->db(), "UPDATE 报告 SET 核查日期='1000-05-01' WHERE 登记号=?", {P + "002"});
    exec(src->db(), "UPDATE 报告 SET 核查日期='1001-01-01' WHERE 登记号=?", {P + "003"});

    struct Case
    {
        const char* what;
        std::function<QList<exchange::OldDate>()> run;
        int row;
    };
    const auto byNumbers = [this](const QStringList& numbers, bool all) {
        return [this, numbers, all] {
            const auto r = import(numbers, all);
            EXPECT_TRUE(r.ok()) << r.error().description.toStdString();
            return r ? r->oldDates : QList<exchange::OldDate>();
        };
    };
    const Case cases[] = {
        {"chosen numbers", byNumbers({P + "003", P + "002"}, false), 1},
        {"a chosen row the filter skips", byNumbers({P + "002", shortNumber, P + "003"}, false), 2},
        {"every number", byNumbers({}, true), 4},
        {"the append plan",
         [this] {
             const auto r = exchange::appendDatabase(db(), source, false);
             EXPECT_TRUE(r.ok()) << r.error().description.toStdString();
             return r ? r->oldDates : QList<exchange::OldDate>();
         },
         3},
        {"the append plan leaving out a repeat before the row",
         [this] {
             addRegistration(db(), P + "004");
             const auto r = exchange::appendDatabase(db(), source, false);
             EXPECT_TRUE(r.ok()) << r.error().description.toStdString();
             EXPECT_EQ(r ? r->duplicates : QStringList(), QStringList({P + "004"}));
             return r ? r->oldDates : QList<exchange::OldDate>();
         },
         3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const QString& t : exchange::importTables(true))
            exec(db(), "DELETE FROM " + t);
        const QList<exchange::OldDate> dates = c.run();
        ASSERT_EQ(dates.size(), 1);
        EXPECT_EQ(exchange::oldDateMessage(dates[0]).toStdString(),
                  QStringLiteral("[报告]表第%1条记录字段[核查日期]日期型数据:1000-05-01错误...")
                      .arg(c.row)
                      .toStdString());
        EXPECT_TRUE(Db::scalar(db(), "SELECT 核查日期 FROM 报告 WHERE 登记号=?", {P + "002"}).isNull());
        EXPECT_EQ(Db::scalar(db(), "SELECT 核查日期 FROM 报告 WHERE 登记号=?", {P + "003"}).toString(),
                  "1001-01-01");
    }
}

TEST_F(ImportEngineTest, APrefixWithoutAFreeSerialRefusesTheRegistration)
{
    addRegistration(db(), P + "999");
    addRegistration(src->db(), P + "999");
    addRegistration(src->db(), P + "002");
    const auto r = import({P + "999", P + "002"});
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r->refused, QStringList({P + "999"}));
    EXPECT_EQ(exchange::refusedMessage(r->refused[0]), "登记号【4510104082999】已无可用的新编号，未导入！");
    EXPECT_EQ(r->registrations, 1);
    EXPECT_EQ(count(db(), "登记"), 4);
    EXPECT_EQ(count(db(), "资源储量"), 8);
}

TEST_F(ImportEngineTest, AFailureLeavesTheWorkingDatabaseByteIdentical)
{
    addRegistration(src->db(), P + "001");
    addRegistration(src->db(), P + "002");
    exec(db(), "CREATE TRIGGER no_more AFTER INSERT ON 坐标 BEGIN SELECT RAISE(ABORT, '坐标已满'); END");
    const QByteArray before = bytes(MAINBAS::Database_File());
    const auto r = import({}, true);
    ASSERT_FALSE(r.ok());
    EXPECT_TRUE(r.error().description.contains("坐标已满"));
    EXPECT_EQ(bytes(MAINBAS::Database_File()), before);
    EXPECT_EQ(count(db(), "登记"), 2);
}

TEST_F(ImportEngineTest, AnotherProgramWritingToTheSourceDoesNotStopTheImport)
{
    addRegistration(src->db(), P + "002");
    // The other program's write is under way and not committed.
    exec(src->db(), "BEGIN IMMEDIATE");
    exec(src->db(), "UPDATE 压覆 SET 建设项目名称='未提交' WHERE 登记号=?", {P + "002"});
    const auto r = import({}, true);
    exec(src->db(), "ROLLBACK");
    ASSERT_TRUE(r.ok()) << r.error().description.toStdString();
    EXPECT_EQ(rowsOf(db(), P + "002"), full());
    EXPECT_EQ(project(P + "002"), "项目002");
}

// A key of the working tables that refuses a row: the working database's 压覆 holds
// a number without its 登记 row, or the import file repeats a number in a table
// that its own keys (an older file's) let through.
TEST_F(ImportEngineTest, AKeyClashNamesTheTableAndTheNumberAndImportsNothing)
{
    addRegistration(src->db(), P + "001"); // taken: it becomes 006
    addRegistration(src->db(), P + "002");
    src.reset();
    const auto byNumbers = [this] { return import({}, true).error(); };
    const auto appended = [this] { return exchange::appendDatabase(db(), source, false).error(); };
    const QString lead = "数据重复或其它错误：登记号【%1】\r", end = "导入已取消，当前数据库没有改动。";
    const struct
    {
        const char* what;
        std::function<void()> prepare;
        std::function<Db::Error()> run;
        QString message;
    } cases[] = {
        {"a 压覆 row of the working database without its 登记 row",
         [this] { exec(db(), "INSERT INTO 压覆 (登记号) VALUES (?)", {P + "002"}); }, byNumbers,
         lead.arg(P + "002") + "当前数据库的“压覆”表中已有此登记号的数据。" + end},
        {"such a row under the number a renumbered registration takes",
         [this] { exec(db(), "INSERT INTO 压覆 (登记号) VALUES (?)", {P + "006"}); }, byNumbers,
         lead.arg(P + "001") + "它导入后的登记号【4510104082006】在当前数据库的“压覆”表中已有数据。" + end},
        {"a number the import file repeats in 压覆", [&] { repeatRow(source, "压覆", P + "002"); }, byNumbers,
         lead.arg(P + "002") + "导入文件的“压覆”表中此登记号有多条数据。" + end},
        {"a renumbered one it repeats in 报告", [&] { repeatRow(source, "报告", P + "001"); }, byNumbers,
         lead.arg(P + "001") + "导入文件的“报告”表中此登记号有多条数据。" + end},
        {"one it repeats in 报告, appended", [&] { repeatRow(source, "报告", P + "002"); }, appended,
         lead.arg(P + "002") + "导入文件的“报告”表中此登记号有多条数据。" + end},
    };
    const QString pristine = path("pristine.mdb");
    ASSERT_TRUE(QFile::copy(source, pristine));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(source);
        ASSERT_TRUE(QFile::copy(pristine, source));
        exec(db(), "DELETE FROM 压覆 WHERE 登记号 NOT IN (SELECT 登记号 FROM 登记)");
        c.prepare();
        const QByteArray before = bytes(MAINBAS::Database_File());
        const Db::Error e = c.run();
        EXPECT_EQ(e.description.toStdString(), c.message.toStdString());
        EXPECT_EQ(bytes(MAINBAS::Database_File()), before);
        EXPECT_EQ(count(db(), "登记"), 2);
    }
}
