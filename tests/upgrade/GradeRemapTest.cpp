#include "UpgradeFixture.h"

#include "upgrade/GradeRemap.h"

namespace {

class GradeRemapTest : public UpgradeFixture
{
protected:
    void SetUp() override
    {
        UpgradeFixture::SetUp();
        db = copyTemplate("remap.mdb");
    }
    static QString reserve(int mineral, int grade, int order, const QString& amount,
                           const QString& djh = "4110101082001")
    {
        return QStringLiteral("INSERT INTO 资源储量 (登记号, 矿产代码, 统计对象, 矿石类型, 矿石品级, "
                              "资源量类型, 金属量3, "
                              "矿石量3, 显示序号) VALUES ('%1', %2, 0, 10001, %3, '333', NULL, %4, %5)")
            .arg(djh)
            .arg(mineral)
            .arg(grade)
            .arg(amount)
            .arg(order);
    }
    static QString quality(const QString& grade, int average, double value = 1.5, int mineral = 11001)
    {
        return QStringLiteral("INSERT INTO 质量 (登记号, 矿产代码, 统计对象, 矿石类型, 矿石品级, 组分名, "
                              "组分值, 组分单位, "
                              "均值标识, 显示序号) VALUES ('4110101082001', %1, 0, '10001', '%2', '灰分', "
                              "%3, '%', %4, 101)")
            .arg(mineral)
            .arg(grade)
            .arg(value)
            .arg(average);
    }
    void remap()
    {
        Db::ScopedConnection c("remap", db, Db::OpenMode::ReadWrite);
        const Status s = GradeRemap::remapGrade11001(c.db());
        ASSERT_TRUE(s.ok()) << s.error().description.toStdString();
    }
    QString db;
};

TEST_F(GradeRemapTest, OldGradesTakeTheirNewCodesAndEqualRowsMerge)
{
    runSql(db,
           {reserve(11001, 3, 101, "2.5"), reserve(11001, 17, 101, "4"), reserve(11001, 3, 102, "1"),
            reserve(11001, 1, 103, "NULL"), reserve(11001, 14, 103, "NULL"), reserve(11001, 13, 104, "3"),
            reserve(11001, 0, 105, "7"), reserve(11001, 31, 106, "8"), reserve(10101, 3, 107, "9"),
            reserve(11001, 20, 108, "1", "4110101082002"), reserve(11001, 20, 108, "2", "4110101082002")});
    remap();
    EXPECT_EQ(rows(db, "SELECT 登记号, 矿石品级, 显示序号, 矿石量3, 金属量3 FROM 资源储量 ORDER BY 登记号, "
                       "显示序号, 矿石品级"),
              QStringList({"4110101082001|17|101|6.5|NULL", "4110101082001|17|102|1|NULL",
                           "4110101082001|14|103|NULL|NULL", "4110101082001|30|104|3|NULL",
                           "4110101082001|0|105|7|NULL", "4110101082001|31|106|8|NULL",
                           "4110101082001|3|107|9|NULL", "4110101082002|20|108|3|NULL"}));
    EXPECT_EQ(value(db, "SELECT count(*) FROM sqlite_master WHERE name LIKE 'temp%'").toInt(), 0);
}

TEST_F(GradeRemapTest, QualityGradesAreTextAndAverageRowsStay)
{
    runSql(db, {quality("5", 0), quality("20", 0), quality("5", 1), quality("05", 0),
                quality("12", 0, 2.0, 10101), quality("31", 0)});
    remap();
    EXPECT_EQ(rows(db, "SELECT 矿产代码, 矿石品级, 均值标识 FROM 质量 ORDER BY 矿产代码, 均值标识, 矿石品级"),
              QStringList({"10101|12|0", "11001|05|0", "11001|20|0", "11001|31|0", "11001|5|1"}));
    EXPECT_EQ(GradeRemap::initGradePairs().size(), 26);
}

TEST_F(GradeRemapTest, AnUpgradeGivesEachOldCoalGradeItsNewCode)
{
    // Old grade and new grade of mineral 11001, as the current version codes them.
    const QList<QPair<int, int>> grades = {{1, 14}, {2, 15},  {3, 17},  {4, 18},  {5, 20},  {6, 22}, {7, 24},
                                           {8, 25}, {9, 26}, {10, 27}, {11, 28}, {12, 29}, {13, 30}};
    QStringList statements;
    for (const auto& [old, current] : grades)
        statements << reserve(11001, old, 100 + old, "1") << quality(QString::number(old), 0, old);
    Module1 m = paths(oldDatabase("old.mdb", statements), path("new.mdb"));
    ASSERT_TRUE(upgrade(m).ok());
    for (const auto& [old, current] : grades) {
        EXPECT_EQ(rows(path("new.mdb"), QStringLiteral("SELECT 矿石品级 FROM 资源储量 WHERE 显示序号 = %1 UNION ALL "
                                                       "SELECT 矿石品级 FROM 质量 WHERE 组分值 = %2")
                                            .arg(100 + old)
                                            .arg(old)),
                  QStringList({QString::number(current), QString::number(current)}))
            << "old grade " << old;
    }
}

} // namespace
