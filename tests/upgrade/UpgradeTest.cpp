#include "UpgradeFixture.h"

#include "upgrade/NewDatabase.h"

namespace {

using Ending = Upgrade::Ending;

class UpgradeTest : public UpgradeFixture
{
protected:
    // Structure of a table as the file declares it: name and type of each column.
    static QStringList structure(const QString& file, const QString& table)
    {
        return rows(file, QStringLiteral("SELECT name, type FROM pragma_table_info('%1')").arg(table));
    }
    void setTemplateVersion(const QVariant& version)
    {
        runSql(path("djk.sys"), {QStringLiteral("DELETE FROM 数据库参数")});
        if (version.isValid())
            runSql(path("djk.sys"),
                   {QStringLiteral("INSERT INTO 数据库参数 (版本号) VALUES ('%1')").arg(version.toString())});
    }
    bool consistent(const QString& file)
    {
        return DjkDatabase::isConsistent(file, path("djk.sys")).valueOr(false);
    }
};

TEST_F(UpgradeTest, RecognisesRegistrationDatabasesByTheirTenTables)
{
    EXPECT_EQ(DjkDatabase::getVersion(path("djk.sys")), "1.44");
    const QString nine = copyTemplate("nine.mdb");
    runSql(nine, {"DROP TABLE 参数表"});
    EXPECT_FALSE(*DjkDatabase::isDjkDatabase(nine));
    const QString more = copyTemplate("more.mdb");
    runSql(more, {"CREATE TABLE 其他 (a)"});
    EXPECT_TRUE(*DjkDatabase::isDjkDatabase(more));
    writeFile("text.mdb", "not a database at all, just some text that is long enough");
    EXPECT_FALSE(*DjkDatabase::isDjkDatabase(path("text.mdb")));
    EXPECT_FALSE(DjkDatabase::isDjkDatabase(path("gone.mdb")).ok());
}

TEST_F(UpgradeTest, ComparesVersionsAsText)
{
    const QString db = copyTemplate("v.mdb");
    const auto version = [&](const QString& v) {
        runSql(db, {QStringLiteral("UPDATE 数据库参数 SET 版本号 = '%1'").arg(v)});
    };
    setTemplateVersion("1.1");
    version("1.05");
    EXPECT_FALSE(consistent(db));
    version("1.1");
    EXPECT_TRUE(consistent(db));
    setTemplateVersion("10.0");
    version("2.0");
    EXPECT_TRUE(consistent(db)); // later in text order
    runSql(db, {"UPDATE 数据库参数 SET 版本号 = NULL"});
    EXPECT_FALSE(consistent(db));
    runSql(db, {"DELETE FROM 数据库参数"});
    EXPECT_FALSE(consistent(db));
    runSql(db, {"DROP TABLE 数据库参数"});
    EXPECT_FALSE(consistent(db));
    // A template without a version takes every versioned database as current.
    setTemplateVersion(QVariant());
    const QString versioned = copyTemplate("w.mdb");
    runSql(versioned, {"UPDATE 数据库参数 SET 版本号 = '0.1'"});
    EXPECT_TRUE(consistent(versioned));
    // Without a template nothing can be judged.
    QFile::remove(path("djk.sys"));
    EXPECT_FALSE(DjkDatabase::isConsistent(versioned, path("djk.sys")).ok());
}

TEST_F(UpgradeTest, UpgradesAnOldDatabaseOntoTheTemplateInPlaceOfItsTarget)
{
    const QString source = oldDatabase("old.mdb");
    const QByteArray before = hash(source);
    const QString target = path("new.mdb");
    writeFile("new.mdb", "an older file in the target's place");
    Module1 m = paths(source, target);
    QList<int> steps;
    const auto r = upgrade(m, [&](int done, int total) { steps << done << total; });
    ASSERT_TRUE(r.ok()) << r.error().description.toStdString();
    EXPECT_EQ(r->ending, Ending::Completed);
    ASSERT_FALSE(steps.isEmpty());
    EXPECT_EQ(steps.at(steps.size() - 2), steps.last()); // ends at the whole

    EXPECT_EQ(hash(source), before); // the source is only read
    EXPECT_EQ(files(dir()), QStringList({"djk.sys", "new.mdb", "old.mdb"}));
    EXPECT_EQ(DjkDatabase::getVersion(target), "1.44");
    for (const QString& table : DjkDatabase::initTableList() + QStringList{"数据库参数"}) {
        EXPECT_EQ(structure(target, table), structure(path("djk.sys"), table)) << table.toStdString();
        if (table != "数据库参数")
            EXPECT_EQ(count(target, table), count(source, table)) << table.toStdString();
    }
    EXPECT_GT(count(target, "资源储量"), 100);
    // The deduction columns are filled from the deducted registrations.
    EXPECT_GT(value(target, "SELECT count(*) FROM 资源储量 WHERE 原登记号 IS NOT NULL").toInt(), 10);
    EXPECT_EQ(value(target,
                    "SELECT count(*) FROM 资源储量 WHERE 原登记号 IS NOT NULL AND (扣矿区编号 IS NULL "
                    "OR 扣登记分类编号 IS NULL)")
                  .toInt(),
              0);
    EXPECT_EQ(rows(target,
                   "SELECT DISTINCT 原登记号, 扣矿区编号, 扣登记分类编号 FROM 资源储量 WHERE 原登记号 "
                   "LIKE '_110101082001' ORDER BY 1"),
              QStringList({"1110101082001|110101101|1000", "2110101082001|110101201|2011",
                           "3110101082001|110101301|3011"}));
    EXPECT_EQ(value(target, "SELECT count(*) FROM 资源储量 WHERE 原登记号 IS NULL AND 扣矿区编号 IS NOT NULL")
                  .toInt(),
              0);
    // Mineral 11001 keeps no grade of the old classification.
    EXPECT_GT(
        value(source, "SELECT count(*) FROM 资源储量 WHERE 矿产代码 = 11001 AND 矿石品级 BETWEEN 1 AND 13")
            .toInt(),
        0);
    EXPECT_EQ(
        value(target, "SELECT count(*) FROM 资源储量 WHERE 矿产代码 = 11001 AND 矿石品级 BETWEEN 1 AND 13")
            .toInt(),
        0);
    EXPECT_EQ(value(target, "SELECT count(*) FROM 质量 WHERE 矿产代码 = 11001 AND 均值标识 = 0 AND "
                            "CAST(矿石品级 AS INTEGER) BETWEEN 1 AND 13")
                  .toInt(),
              0);
    // The obsolete report codes are cleared in the new file only.
    EXPECT_EQ(value(target, "SELECT count(*) FROM 报告 WHERE 可利用情况码 = 12000 OR 未用原因1码 = '11000'")
                  .toInt(),
              0);
    EXPECT_GT(value(source, "SELECT count(*) FROM 报告 WHERE 可利用情况码 = 12000").toInt(), 0);
    EXPECT_GT(value(target, "SELECT count(*) FROM 报告 WHERE 可利用情况码 = 11000 AND 未用原因1码 = '12000'")
                  .toInt(),
              0);
}

TEST_F(UpgradeTest, ATargetEqualToTheSourceReplacesTheSource)
{
    const QString source =
        oldDatabase("old.mdb", QStringList{"INSERT INTO 登记 (登记号) VALUES ('4110101082001')"}, "");
    Module1 m = paths(source, source);
    const auto r = upgrade(m);
    ASSERT_TRUE(r.ok()) << r.error().description.toStdString();
    EXPECT_EQ(r->ending, Ending::CompletedWithoutDeductions);
    EXPECT_EQ(files(dir()), QStringList({"djk.sys", "old.mdb"}));
    EXPECT_EQ(DjkDatabase::getVersion(source), "1.44");
    EXPECT_EQ(count(source, "登记"), 1);
    EXPECT_TRUE(QFileInfo(source).isWritable());
}

TEST_F(UpgradeTest, AFailedCopyLeavesSourceAndTargetAsTheyWere)
{
    // A column the current structure does not know.
    const QString source = oldDatabase("old.mdb", {"ALTER TABLE 报告 ADD COLUMN 未用原因2码 VARCHAR(10)",
                                                   "INSERT INTO 报告 (登记号) VALUES ('4110101082001')"});
    writeFile("target.mdb", "the old target");
    const QByteArray before = hash(source);
    Module1 m = paths(source, path("target.mdb"));
    const auto r = upgrade(m);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error().description, "表“报告”的列“未用原因2码”在当前版本的数据库中不存在");
    EXPECT_EQ(hash(source), before);
    EXPECT_EQ(hash(path("target.mdb")),
              QCryptographicHash::hash("the old target", QCryptographicHash::Sha256));
    EXPECT_EQ(files(dir()), QStringList({"djk.sys", "old.mdb", "target.mdb"}));
    EXPECT_TRUE(m.newDbPath.isEmpty());
}

TEST_F(UpgradeTest, NamesTheNewFileByTheStartTimeBesideItsTargetAndNeverMakesAFolder)
{
    EXPECT_EQ(NewDatabase::StripPathName("/data/登记/old.mdb"), "/data/登记/");
    EXPECT_EQ(NewDatabase::StripPathName("old.mdb"), "");
    const QDateTime when(QDate(2009, 3, 5), QTime(14, 7, 9));
    EXPECT_EQ(NewDatabase::newFileName(dir() + "/", when), dir() + "/.2009年03月05日14时07分09秒.mdb");

    const QString source = oldDatabase("old.mdb", QStringList{});
    Module1 m = paths(source, path("missing/new.mdb"));
    EXPECT_FALSE(upgrade(m).ok());
    EXPECT_FALSE(QFileInfo::exists(path("missing")));
    m = paths("old.mdb", path("new.mdb"));
    const auto r = upgrade(m);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error().description, "源数据库路径选择不正确！");

    // A read-only template still gives a file the run writes.
    QFile::setPermissions(path("djk.sys"), QFileDevice::ReadOwner);
    QStringList during;
    m = paths(source, path("new.mdb"));
    ASSERT_TRUE(upgrade(m, [&](int done, int) {
                    if (done == 1) during = files(dir());
                }).ok());
    EXPECT_EQ(during, QStringList({".2008年11月03日09时30分00秒.mdb", "djk.sys", "old.mdb"}));
}

} // namespace
