#include "CheckFixture.h"

#include "checks/ClearTypesAndGrades.h"

using checks::ClearTypesAndGrades;

namespace {

class ClearTypesAndGradesTest : public CheckFixture
{
protected:
    void SetUp() override
    {
        CheckFixture::SetUp();
        file = makeDatabase(QStringLiteral("djk.mdb"));
        // Dictionaries of our own: 11001 has one ore type and 32 grades, 22001
        // three types and one grade, 33001 one type and three grades.
        for (const QString s : {"DELETE FROM cb02", "DELETE FROM cb03"})
            QSqlQuery(db()).exec(s);
        insert("cb02", {{"矿产代码", 11001}, {"矿石类型", 1}});
        for (int t = 1; t <= 3; ++t)
            insert("cb02", {{"矿产代码", 22001}, {"矿石类型", t}});
        insert("cb02", {{"矿产代码", 33001}, {"矿石类型", 1}});
        for (int g = 1; g <= 32; ++g)
            insert("cb03", {{"矿产代码", 11001}, {"矿石品级", g}});
        insert("cb03", {{"矿产代码", 22001}, {"矿石品级", 1}});
        for (int g = 1; g <= 3; ++g)
            insert("cb03", {{"矿产代码", 33001}, {"矿石品级", g}});
    }
    void reserveRow(const QString& djh, int mineral, const QVariant& type, const QVariant& grade,
                    double metal, int order)
    {
        insert("资源储量", {{"登记号", djh},
                            {"矿产代码", mineral},
                            {"统计对象", 0},
                            {"矿石类型", type},
                            {"矿石品级", grade},
                            {"储量类型", "111"},
                            {"金属量1", metal},
                            {"矿石量1", metal * 10},
                            {"显示序号", order}});
    }
    // Rows as "登记号 矿产代码 类型 品级 金属量1 矿石量1 显示序号", in key order.
    QStringList reserves()
    {
        QStringList rows;
        auto q = Db::exec(
            db(), QStringLiteral("SELECT 登记号,矿产代码,矿石类型,矿石品级,金属量1,矿石量1,显示序号 FROM "
                                 "资源储量 ORDER BY 登记号,矿产代码,矿石类型,矿石品级"));
        while (q && q->next()) {
            QStringList r;
            for (int i = 0; i < 7; ++i)
                r << q->value(i).toString();
            rows << r.join(QLatin1Char(' '));
        }
        return rows;
    }
    Status clean()
    {
        int steps = 0;
        const Status s = ClearTypesAndGrades::run(db(), [&] { ++steps; });
        if (s) {
            EXPECT_EQ(steps, 38);
        }
        return s;
    }
    QString file;
};

TEST_F(ClearTypesAndGradesTest, ReserveRowsGetTheirMineralsDefaultsAndAlikeRowsAreMerged)
{
    reserveRow("4110101082001", 33001, 0, 2, 1, 101);      // one type: 70010,
    reserveRow("4110101082001", 33001, 70010, 2, 4, 102);  // then alike a row that has it
    reserveRow("4110101082002", 22001, null(), 1, 1, 101); // three types: 70000
    reserveRow("4110101082003", 11001, 1, null(), 1, 101); // 11001: grade 30
    reserveRow("4110101082004", 33001, 0, 500, 2, 101);    // a missing type and
    reserveRow("4110101082004", 33001, 70010, 0, 3, 105);  // a missing grade become alike
    reserveRow("4110101082005", 99999, 0, null(), 1, 101); // not in the dictionaries
    reserveRow("4110101082006", 22001, 3, 1, 7, 101);      // nothing to clean
    ASSERT_TRUE(clean().ok());
    EXPECT_EQ(reserves().join(QLatin1Char('\n')), QStringList({
                                                                  "4110101082001 33001 70010 2 5 50 102",
                                                                  "4110101082002 22001 70000 1 1 10 101",
                                                                  "4110101082003 11001 1 30 1 10 101",
                                                                  "4110101082004 33001 70010 500 5 50 105",
                                                                  "4110101082005 99999 0  1 10 101",
                                                                  "4110101082006 22001 3 1 7 70 101",
                                                              })
                                                      .join(QLatin1Char('\n')));
    for (const QString& t : ClearTypesAndGrades::scratchTables())
        EXPECT_FALSE(Db::hasTable(db(), t));
}

TEST_F(ClearTypesAndGradesTest, QualityCompositionRowsGetPlainDigitsAndAverageRowsAreLeftAlone)
{
    insert("质量", quality("4110101082001", 33001, 0, "  ", "2", "TFe", 30, "%", false, 101));
    insert("质量", quality("4110101082001", 33001, 0, "  ", "2", "TFe", 30, "%", true, 102));
    // Merged with the cleaned row only when value and unit are equal too.
    insert("质量", quality("4110101082001", 33001, 0, "70010", "2", "TFe", 30, "%", false, 103));
    insert("质量", quality("4110101082001", 33001, 0, "70010", "2", "TFe", 31, "%", false, 104));
    ASSERT_TRUE(clean().ok());
    QStringList rows;
    auto q = Db::exec(db(),
                      QStringLiteral("SELECT 矿石类型,组分值,均值标识,显示序号 FROM 质量 ORDER BY 显示序号"));
    while (q && q->next())
        rows << QStringLiteral("[%1] %2 %3 %4")
                    .arg(q->value(0).toString(), q->value(1).toString(), q->value(2).toString(),
                         q->value(3).toString());
    EXPECT_EQ(rows, (QStringList{"[  ] 30 1 102", "[70010] 30 0 103", "[70010] 31 0 104"}));
}

TEST_F(ClearTypesAndGradesTest, AFailureLeavesTheDatabaseAsItWas)
{
    reserveRow("4110101082001", 33001, 0, 2, 1, 101);
    insert("质量", quality("4110101082001", 33001, 0, "0", "2", "TFe", 30, "%", false, 101));
    // The quality rows cannot be written back.
    QSqlQuery(db()).exec(
        QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON 质量 BEGIN SELECT RAISE(ABORT, "
                       "'refused'); END"));
    closeDatabase();
    const QByteArray before = readAll(file);
    openDatabase(file);
    const Status s = clean();
    ASSERT_FALSE(s.ok());
    EXPECT_TRUE(s.error().description.contains(QStringLiteral("refused")));
    closeDatabase();
    EXPECT_EQ(readAll(file), before);
}

TEST_F(ClearTypesAndGradesTest, ScratchTablesLeftBehindAreDroppedFirst)
{
    QSqlQuery(db()).exec(QStringLiteral("CREATE TABLE TEMP_QLLX (DM INTEGER, LX INTEGER)"));
    QSqlQuery(db()).exec(QStringLiteral("CREATE TABLE TEMP_QL_ZL (登记号 TEXT)"));
    reserveRow("4110101082001", 33001, 0, 2, 1, 101);
    ASSERT_TRUE(clean().ok());
    EXPECT_EQ(reserves(), QStringList{"4110101082001 33001 70010 2 1 10 101"});
}

} // namespace
