// The shared table copier: columns by name and kind, the number column, the date
// boundary, number tables, attaching.

#include "ExchangeFixture.h"

#include "exchange/TableCopier.h"

namespace {

class TableCopierTest : public ExchangeFixture
{
protected:
    void SetUp() override
    {
        ExchangeFixture::SetUp();
        source = path("old.mdb");
        exec(db(), "ALTER TABLE 压覆 ADD COLUMN 检查日期 DATE");
        runSql(source, {
                           "CREATE TABLE 压覆 (登记号 TEXT, 建设项目名称 TEXT, 行政区代码 TEXT, "
                           "所属矿山编号 INTEGER, 多余列 TEXT, 批准日期 DATE, 检查日期 DATE)",
                           "INSERT INTO 压覆 VALUES ('4510104082001', '成渝高速', '510104', 7, 'x', "
                           "'0999-12-31', '1000-05-01')",
                           "INSERT INTO 压覆 VALUES ('4510104082002', '绕城公路', '510104', 8, 'y', "
                           "'2008-01-20', '1001-01-01')",
                       });
    }

    QString source;
};

} // namespace

TEST_F(TableCopierTest, CopiesColumnsOfTheSameNameAndKindOnly)
{
    exchange::AttachedDatabase src(db(), source, "src");
    ASSERT_TRUE(src.ok()) << src.error().description.toStdString();
    exchange::TableCopy copy;
    copy.table = "压覆";
    copy.rows = "WHERE s.登记号=?";
    copy.values = {"4510104082002"};
    const auto copied = exchange::copyTable(db(), copy);
    ASSERT_TRUE(copied.ok()) << copied.error().description.toStdString();
    EXPECT_EQ(copied->rows, 1);
    EXPECT_TRUE(copied->oldDates.isEmpty());
    auto q =
        Db::exec(db(), "SELECT 登记号, 建设项目名称, 行政区代码, 所属矿山编号, 批准日期, 检查日期 FROM 压覆");
    ASSERT_TRUE(q && q->next());
    EXPECT_EQ(q->value(0).toString(), "4510104082002");
    EXPECT_EQ(q->value(1).toString(), "绕城公路");
    EXPECT_TRUE(q->value(2).isNull()); // text into a number column: left out
    EXPECT_EQ(q->value(3).toInt(), 8);
    EXPECT_TRUE(q->value(4).isNull()); // a date into a text column: left out
    EXPECT_EQ(q->value(5).toString(), "1001-01-01");
    EXPECT_FALSE(q->next());
}

TEST_F(TableCopierTest, DatesOfYears100To1000BecomeNullAndAreReported)
{
    exchange::AttachedDatabase src(db(), source, "src");
    exchange::TableCopy copy;
    copy.table = "压覆";
    copy.rows = "ORDER BY s.rowid";
    copy.firstColumn = "'4' || substr(s.登记号, 2)";
    copy.nullOldDates = true;
    const auto copied = exchange::copyTable(db(), copy);
    ASSERT_TRUE(copied.ok()) << copied.error().description.toStdString();
    EXPECT_EQ(copied->rows, 2);
    ASSERT_EQ(copied->oldDates.size(), 2);
    EXPECT_EQ(exchange::oldDateMessage(copied->oldDates[0]),
              "[压覆]表第1条记录字段[批准日期]日期型数据:0999-12-31错误...");
    EXPECT_EQ(exchange::oldDateMessage(copied->oldDates[1]),
              "[压覆]表第1条记录字段[检查日期]日期型数据:1000-05-01错误...");
    EXPECT_TRUE(Db::scalar(db(), "SELECT 检查日期 FROM 压覆 WHERE 登记号='4510104082001'").isNull());
    EXPECT_EQ(Db::scalar(db(), "SELECT 检查日期 FROM 压覆 WHERE 登记号='4510104082002'").toString(),
              "1001-01-01");
}

TEST_F(TableCopierTest, MissingTablesAndFilesFail)
{
    {
        exchange::AttachedDatabase src(db(), source, "src");
        exchange::TableCopy copy;
        copy.table = "报告"; // not in the old file
        EXPECT_FALSE(exchange::copyTable(db(), copy).ok());
    }
    exchange::AttachedDatabase missing(db(), path("nowhere.mdb"), "src");
    EXPECT_FALSE(missing.ok());
    EXPECT_FALSE(QFile::exists(path("nowhere.mdb")));
}

TEST_F(TableCopierTest, NumberTableKeepsFirstPlaces)
{
    exchange::NumberTable numbers(db(), "picked", {"b", "a", "b", "c"});
    ASSERT_TRUE(numbers.ok());
    auto q = Db::exec(db(), "SELECT number FROM temp.picked ORDER BY seq");
    QStringList order;
    while (q->next())
        order << q->value(0).toString();
    EXPECT_EQ(order, QStringList({"b", "a", "c"}));
}

// A copy by chosen numbers reads the rows of those numbers only: the join runs from
// the number table, whatever the size of the table it copies from.
TEST_F(TableCopierTest, ACopyByNumbersLooksUpTheRowsOfEachNumber)
{
    exchange::NumberTable numbers(db(), "picked", {"4510104082001", "4510104082002"});
    ASSERT_TRUE(numbers.ok());
    for (const char* table : {"资源储量", "质量", "登记"}) {
        auto q = Db::exec(db(), QStringLiteral("EXPLAIN QUERY PLAN SELECT s.* FROM %1 AS s JOIN temp.picked n "
                                               "ON n.number = s.登记号 ORDER BY n.seq, s.rowid")
                                    .arg(QString::fromUtf8(table)));
        ASSERT_TRUE(q.has_value());
        ASSERT_TRUE(q->next());
        EXPECT_EQ(q->value(3).toString().toStdString(), "SCAN n") << table;
    }
}
