#include "UpgradeFixture.h"

#include "platform/NewFile.h"
#include "upgrade/NewDatabase.h"

#include <QDateTime>
#include <QDir>

namespace {

using Ending = Upgrade::Ending;

class UpgradeTest : public UpgradeFixture
{
protected:
    bool consistent(const QString& file, const QString& version, const QString& templateVersion)
    {
        runSql(file, {"UPDATE 数据库参数 SET 版本号 = " + version});
        runSql(path("djk.sys"), {"UPDATE 数据库参数 SET 版本号 = " + templateVersion});
        return DjkDatabase::isConsistent(file, path("djk.sys")).valueOr(false);
    }
    int coalGrades1To13(const QString& file)
    {
        return value(file,
                     "SELECT count(*) FROM 资源储量 WHERE 矿产代码 = 11001 AND 矿石品级 BETWEEN 1 AND 13")
                   .toInt() +
               value(file, "SELECT count(*) FROM 质量 WHERE 矿产代码 = 11001 AND 均值标识 = 0 AND "
                           "CAST(矿石品级 AS INTEGER) BETWEEN 1 AND 13")
                   .toInt();
    }
};

TEST_F(UpgradeTest, RecognisesRegistrationDatabasesAndComparesVersionsAsText)
{
    const QString db = copyTemplate("db.mdb");
    runSql(db, {"CREATE TABLE 其他 (a)"});
    EXPECT_TRUE(*DjkDatabase::isDjkDatabase(db));
    EXPECT_FALSE(consistent(db, "'1.05'", "'1.1'"));
    EXPECT_TRUE(consistent(db, "'1.1'", "'1.1'"));
    EXPECT_TRUE(consistent(db, "'2.0'", "'10.0'")); // later in text order
    EXPECT_TRUE(consistent(db, "'0.1'", "NULL"));   // a template without a version
    EXPECT_FALSE(consistent(db, "NULL", "'1.1'"));
    runSql(db, {"DROP TABLE 数据库参数", "DROP TABLE 参数表"});
    EXPECT_FALSE(DjkDatabase::isConsistent(db, path("djk.sys")).valueOr(true));
    EXPECT_FALSE(*DjkDatabase::isDjkDatabase(db)); // nine of the ten tables
    writeFile("text.mdb", "not a database at all, just some text that is long enough");
    EXPECT_FALSE(*DjkDatabase::isDjkDatabase(path("text.mdb")));
    EXPECT_FALSE(DjkDatabase::isDjkDatabase(path("gone.mdb")).ok());
    QFile::remove(path("djk.sys"));
    EXPECT_FALSE(DjkDatabase::isConsistent(db, path("djk.sys")).ok());
}

TEST_F(UpgradeTest, UpgradesAnOldDatabaseOntoTheTemplateInPlaceOfItsTarget)
{
    const QString source = oldDatabase("old.mdb");
    const QByteArray before = hash(source);
    const QString target = path("new.mdb");
    writeFile("new.mdb", "an older file in the target's place");
    Module1 m = paths(source, target);
    int done = 0, total = -1;
    const auto r = upgrade(m, [&](int d, int t) { done = d, total = t; });
    ASSERT_TRUE(r.ok()) << r.error().description.toStdString();
    EXPECT_EQ(r->ending, Ending::Completed);
    EXPECT_EQ(done, total);

    EXPECT_EQ(hash(source), before); // the source is only read
    EXPECT_EQ(files(dir()), QStringList({"djk.sys", "new.mdb", "old.mdb"}));
    EXPECT_EQ(DjkDatabase::getVersion(target), "1.44");
    for (const QString& table : DjkDatabase::initTableList()) {
        const QString columns = "SELECT name, type FROM pragma_table_info('" + table + "')";
        EXPECT_EQ(rows(target, columns), rows(path("djk.sys"), columns)) << table.toStdString();
        const QString count = "SELECT count(*) FROM " + table;
        EXPECT_EQ(value(target, count), value(source, count)) << table.toStdString();
    }
    // The deduction columns are filled from the deducted registrations, and only theirs.
    EXPECT_GT(value(target, "SELECT count(*) FROM 资源储量 WHERE 原登记号 IS NOT NULL").toInt(), 10);
    EXPECT_EQ(
        value(target, "SELECT count(*) FROM 资源储量 WHERE (原登记号 IS NULL) <> (扣登记分类编号 IS NULL)"),
        0);
    EXPECT_EQ(rows(target,
                   "SELECT DISTINCT 原登记号, 扣矿区编号, 扣登记分类编号 FROM 资源储量 WHERE 原登记号 "
                   "LIKE '_110101082001' ORDER BY 1"),
              QStringList({"1110101082001|110101101|1000", "2110101082001|110101201|2011",
                           "3110101082001|110101301|3011"}));
    EXPECT_GT(coalGrades1To13(source), 0);
    EXPECT_EQ(coalGrades1To13(target), 0);
    // The obsolete report codes are cleared in the new file only.
    EXPECT_EQ(value(target, "SELECT count(*) FROM 报告 WHERE 可利用情况码 = 12000 OR 未用原因1码 = '11000'"),
              0);
    EXPECT_GT(value(source, "SELECT count(*) FROM 报告 WHERE 可利用情况码 = 12000").toInt(), 0);
    EXPECT_GT(value(target, "SELECT count(*) FROM 报告 WHERE 可利用情况码 = 11000 AND 未用原因1码 = '12000'")
                  .toInt(),
              0);
}

TEST_F(UpgradeTest, ATargetEqualToTheSourceReplacesItAndAReadOnlyTemplateStillServes)
{
    QFile::setPermissions(path("djk.sys"), QFileDevice::ReadOwner);
    // The target spelt as the source is, or through "..", or through a link to its folder.
    ASSERT_TRUE(QDir(dir()).mkdir("sub"));
    ASSERT_TRUE(QFile::link(dir(), path("link")));
    for (const QString& target : {path("old.mdb"), path("sub/../old.mdb"), path("link/old.mdb")}) {
        SCOPED_TRACE(target.toStdString());
        const QString source =
            oldDatabase("old.mdb", {"INSERT INTO 登记 (登记号) VALUES ('4110101082001')"}, "");
        Module1 m = paths(source, target);
        QStringList during;
        const auto r = upgrade(m, [&](int done, int) {
            if (done == 1) during = files(dir());
        });
        EXPECT_TRUE(r.ok() && r->ending == Ending::CompletedWithoutDeductions)
            << (r.ok() ? "" : r.error().description.toStdString());
        // The new file is hidden beside its target, named by the start of the run.
        EXPECT_EQ(during, QStringList({".2008年11月03日09时30分00秒.mdb", "djk.sys", "old.mdb"}));
        EXPECT_EQ(files(dir()), QStringList({"djk.sys", "old.mdb"}));
        EXPECT_EQ(DjkDatabase::getVersion(source), "1.44");
        EXPECT_EQ(value(source, "SELECT count(*) FROM 登记"), 1);
        EXPECT_TRUE(QFileInfo(source).isWritable());
        EXPECT_FALSE(QFileInfo(source).isSymLink());
        QFile::remove(source);
    }
}

TEST_F(UpgradeTest, ARunRemovesTheWorkFilesThatKilledRunsLeftBesideItsTarget)
{
    // A killed run's work file and journal; the side files of a target another killed
    // run had put its work file in place of; one that a run still makes (it holds its lock).
    const QString killed = ".2008年11月02日08时00分00秒.mdb", running = ".2008年11月03日09时29分00秒.mdb";
    const QString placed = ".2008年11月02日08时30分00秒.mdb";
    for (const QString& name : {killed, killed + "-journal", placed + "-journal", placed + "-wal", placed + "-shm"})
        writeFile(name, "work file");
    ASSERT_TRUE(NewFile::moveTemporary(NewFile::makeTemporary(path("elsewhere.mdb")), path(running)).ok());
    writeFile(".2008年11月02日.mdb", "not ours");
    const QString source = oldDatabase("old.mdb", {"INSERT INTO 登记 (登记号) VALUES ('4110101082001')"}, "");
    Module1 m = paths(source, source);
    ASSERT_TRUE(upgrade(m).ok());
    EXPECT_EQ(files(dir()), QStringList({".2008年11月02日.mdb", running, "djk.sys", "old.mdb"}));
}

TEST_F(UpgradeTest, ASourceNamedLikeAStaleTemporaryOrWorkFileBesideTheTargetStays)
{
    // Plain files nobody locks, by the names the sweeps beside a target take.
    const struct
    {
        bool late;
        QString name;
    } cases[] = {{false, ".orvane-AbCdEf.tmp"},
                 {false, ".2026年01月01日10时00分00秒.mdb"},
                 {true, ".orvane-AbCdEf.tmp"},
                 {true, ".2026年01月01日10时00分00秒.mdb"}};
    for (const auto& c : cases) {
        SCOPED_TRACE((c.late ? "late-registration source " : "source ") + c.name.toStdString());
        const QString source = oldDatabase(c.late ? "old.mdb" : c.name,
                                           {"INSERT INTO 登记 (登记号) VALUES ('4110101082001')"}, "");
        const QString late =
            c.late ? oldDatabase(c.name, {"INSERT INTO 登记 (登记号) VALUES ('4210101082001')"}, "")
                   : QString();
        const QString kept = c.late ? late : source;
        const QByteArray before = hash(kept);
        Module1 m = paths(source, path("new.mdb"), late, c.late ? path("late-new.mdb") : QString());
        const auto r = upgrade(m);
        EXPECT_TRUE(r.ok() && r->repairUpgraded == c.late)
            << (r.ok() ? "" : r.error().description.toStdString());
        EXPECT_EQ(hash(kept), before);
        for (const QString& file : files(dir()))
            if (file != "djk.sys") QFile::remove(path(file));
    }
}

TEST_F(UpgradeTest, AnUpgradedFileKeepsThePermissionsOfTheFileItReplaces)
{
    const auto privateFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    const QString source = oldDatabase("old.mdb", {"INSERT INTO 登记 (登记号) VALUES ('4110101082001')"}, "");
    ASSERT_TRUE(QFile::setPermissions(source, privateFile));
    Module1 m = paths(source, source);
    ASSERT_TRUE(upgrade(m).ok());
    EXPECT_EQ(modeOf(source), privateFile);
}

TEST_F(UpgradeTest, AFailedRunLeavesSourceAndTargetAsTheyWereAndMakesNoFolder)
{
    // A column the current structure does not know.
    const QString source = oldDatabase("old.mdb", {"ALTER TABLE 报告 ADD COLUMN 未用原因2码 VARCHAR(10)",
                                                   "INSERT INTO 报告 (登记号) VALUES ('4110101082001')"});
    writeFile("target.mdb", "the old target");
    const QByteArray before = hash(source), target = hash(path("target.mdb"));
    Module1 m = paths(source, path("target.mdb"));
    auto r = upgrade(m);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error().description, "表“报告”的列“未用原因2码”在当前版本的数据库中不存在");
    EXPECT_EQ(hash(source), before);
    EXPECT_EQ(hash(path("target.mdb")), target);
    EXPECT_EQ(files(dir()), QStringList({"djk.sys", "old.mdb", "target.mdb"}));

    m = paths(source, path("missing/new.mdb"));
    EXPECT_FALSE(upgrade(m).ok());
    EXPECT_FALSE(QFileInfo::exists(path("missing")));
    m = paths("old.mdb", path("new.mdb"));
    r = upgrade(m);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error().description, "源数据库路径选择不正确！");
    EXPECT_EQ(NewDatabase::StripPathName("/data/登记/old.mdb"), "/data/登记/");
}

} // namespace
