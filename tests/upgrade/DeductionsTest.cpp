#include "UpgradeFixture.h"

#include "upgrade/Deductions.h"

namespace {

using Ending = Upgrade::Ending;

QString reserve(const QString& djh, const QString& origin, int order = 101)
{
    return QStringLiteral(
               "INSERT INTO 资源储量 (登记号, 矿产代码, 统计对象, 矿石类型, 矿石品级, 资源量类型, 矿石量3, "
               "原登记号, 显示序号) VALUES ('%1', 10101, 0, 10001, 32, '333', 5.5, %2, %3)")
        .arg(djh, origin.isNull() ? QStringLiteral("NULL") : QLatin1Char('\'') + origin + QLatin1Char('\''))
        .arg(order);
}

QString kindRow(const QString& table, const QString& djh, const QString& area, const QString& mine)
{
    return table == QStringLiteral("查明")
               ? QStringLiteral("INSERT INTO 查明 (登记号, 矿区编号) VALUES ('%1', %2)").arg(djh, area)
               : QStringLiteral("INSERT INTO %1 (登记号, 矿区编号, 所属矿山编号) VALUES ('%2', %3, %4)")
                     .arg(table, djh, area, mine);
}

QString line(const QString& djh, const QString& origin)
{
    return djh + QString(20, u' ') + origin;
}

class DeductionsTest : public UpgradeFixture
{
};

TEST_F(DeductionsTest, FaultyReferencesAreListedAndNothingIsWritten)
{
    const QString source = oldDatabase(
        "old.mdb",
        {kindRow("占用", "2110101082001", "'110101201'", "NULL"),
         kindRow("查明", "1110101082001", "'110101101'", ""), kindRow("压覆", "4110101082009", "' '", "3"),
         reserve("4110101082001", "2110101082001", 101), reserve("4110101082001", "2110101082001", 102),
         reserve("4110101082002", "1110101082001"), reserve("4110101082002", "5110101082001", 102),
         reserve("4110101082003", "   "), reserve("4110101082003", "3110101082009", 102),
         reserve("4110101082004", "4110101082009")});
    writeFile("target.mdb", "the old target");
    const QByteArray before = hash(source);
    Module1 m = paths(source, path("target.mdb"));
    const auto r = upgrade(m);
    ASSERT_TRUE(r.ok()) << r.error().description.toStdString();
    EXPECT_EQ(r->ending, Ending::FaultyDeductions);
    EXPECT_EQ(r->errors,
              QStringList({line("4110101082001", "2110101082001"), line("4110101082003", "3110101082009"),
                           line("4110101082004", "4110101082009")}));
    EXPECT_EQ(files(dir()), QStringList({"djk.sys", "old.mdb", "target.mdb"}));
    EXPECT_EQ(hash(source), before);

    const QString list = path("错误列表.txt");
    ASSERT_TRUE(Deductions::WriteTxt(list, r->errors.mid(0, 2)).ok());
    QFile f(list);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(f.readAll()),
              " 以下登记信息的扣减原登记号未找到对应记录，无法成功升级，请全部修改后再执行升级！\r\n"
              " 登记号                            原登记号\r\n"
              "4110101082001                    2110101082001\r\n"
              "4110101082003                    3110101082009\r\n");
}

TEST_F(DeductionsTest, FillsTheDeductionColumnsFromTheDeductedRegistration)
{
    const QString source = oldDatabase(
        "old.mdb",
        {kindRow("占用", "2110101082001", "'110101201'", "12"),
         kindRow("查明", "1110101082001", "'110101101'", ""),
         kindRow("停办", "3110101082001", "'110101301'", "'7'"),
         kindRow("压覆", "4110101082009", "'110101401'", "5"), reserve("4110101082001", "2110101082001"),
         reserve("4110101082002", "2110101082001"), reserve("4110101082003", "1110101082001"),
         reserve("4110101082003", "3110101082001", 102), reserve("4110101082004", "4110101082009"),
         reserve("4110101082004", "5110101082001", 102), reserve("4110101082005", QString())});
    Module1 m = paths(source, path("new.mdb"));
    const auto r = upgrade(m);
    ASSERT_TRUE(r.ok()) << r.error().description.toStdString();
    EXPECT_EQ(r->ending, Ending::Completed);
    EXPECT_EQ(
        rows(path("new.mdb"),
             "SELECT 登记号, 原登记号, 扣矿区编号, 扣登记分类编号 FROM 资源储量 ORDER BY 登记号, 显示序号"),
        QStringList(
            {"4110101082001|2110101082001|110101201|2012", "4110101082002|2110101082001|110101201|2012",
             "4110101082003|1110101082001|110101101|1000", "4110101082003|3110101082001|110101301|3007",
             "4110101082004|4110101082009|110101401|4005", "4110101082004|5110101082001|NULL|NULL",
             "4110101082005|NULL|NULL|NULL"}));
}

TEST_F(DeductionsTest, TheLateRegistrationDatabaseServesAsReferenceAndIsUpgradedToItsOwnTarget)
{
    const QString source = oldDatabase("old.mdb", {kindRow("占用", "2110101082008", "''", "NULL"),
                                                   reserve("4110101082001", "2110101082007"),
                                                   reserve("4110101082002", "2110101082008")});
    QDir(dir()).mkdir("late");
    const QString late = oldDatabase(
        "late.mdb",
        {kindRow("占用", "2110101082007", "'110101207'", "3"),
         kindRow("占用", "2110101082008", "'110101208'", "4"), reserve("4210101082001", "2110101082007"),
         "INSERT INTO 资源储量 (登记号, 矿产代码, 统计对象, 矿石类型, 矿石品级, 显示序号, 矿石量3) "
         "VALUES ('4210101082001', 11001, 0, 10001, 3, 102, 2.5)"});
    const QString lateTarget = path("late/upgraded.mdb");
    Module1 m = paths(source, path("new.mdb"), late, lateTarget);
    QStringList lateFolder;
    const auto r = upgrade(m, [&](int, int) {
        if (lateFolder.isEmpty()) lateFolder = files(path("late"));
    });
    ASSERT_TRUE(r.ok()) << r.error().description.toStdString();
    EXPECT_EQ(r->ending, Ending::Completed);
    EXPECT_TRUE(r->repairUpgraded);
    // Found only in the late-registration database, or usable only in its copy there.
    EXPECT_EQ(
        rows(path("new.mdb"), "SELECT 原登记号, 扣矿区编号, 扣登记分类编号 FROM 资源储量 ORDER BY 登记号"),
        QStringList({"2110101082007|110101207|2003", "2110101082008|110101208|2004"}));
    EXPECT_EQ(value(path("new.mdb"), "SELECT count(*) FROM 占用"), 1); // its registrations are not merged
    EXPECT_EQ(value(path("new.mdb"), "SELECT count(*) FROM sqlite_master WHERE name LIKE '%临时表' OR "
                                     "name LIKE 'temp%'")
                  .toInt(),
              0);
    // The late-registration file was made beside its own target, and is upgraded there.
    EXPECT_EQ(lateFolder, QStringList({".2008年11月03日09时30分00秒.mdb"}));
    EXPECT_EQ(files(path("late")), QStringList({"upgraded.mdb"}));
    EXPECT_EQ(DjkDatabase::getVersion(lateTarget), "1.44");
    EXPECT_EQ(rows(lateTarget,
                   "SELECT 原登记号, 扣矿区编号, 扣登记分类编号, 矿石品级 FROM 资源储量 ORDER BY 显示序号"),
              QStringList({"2110101082007|110101207|2003|32", "NULL|NULL|NULL|17"}));

    // A second run without the late-registration database needs none.
    Module1 again = paths(source, path("new2.mdb"));
    const auto r2 = upgrade(again);
    ASSERT_TRUE(r2.ok());
    EXPECT_EQ(r2->ending, Ending::FaultyDeductions);
}

TEST_F(DeductionsTest, ALateRegistrationDatabaseOfTheCurrentVersionIsLeftAlone)
{
    const QString source = oldDatabase("old.mdb", QStringList{reserve("4110101082001", "2110101082007")});
    const QString late = copyTemplate("late.mdb");
    runSql(late, {kindRow("占用", "2110101082007", "'110101207'", "3")});
    Module1 m = paths(source, path("new.mdb"), late, path("late-new.mdb"));
    const auto r = upgrade(m);
    ASSERT_TRUE(r.ok()) << r.error().description.toStdString();
    EXPECT_FALSE(r->repairUpgraded);
    EXPECT_EQ(files(dir()), QStringList({"djk.sys", "late.mdb", "new.mdb", "old.mdb"}));

    // An older one without any deduction, whose target is itself, is replaced.
    const QString older =
        oldDatabase("older.mdb", {kindRow("占用", "2110101082007", "'110101207'", "3")}, "");
    m = paths(source, path("new.mdb"), older, older);
    const auto r2 = upgrade(m);
    ASSERT_TRUE(r2.ok()) << r2.error().description.toStdString();
    EXPECT_TRUE(r2->repairUpgraded);
    EXPECT_EQ(DjkDatabase::getVersion(older), "1.44");
    EXPECT_EQ(value(older, "SELECT count(*) FROM 占用"), 1);
}

} // namespace
