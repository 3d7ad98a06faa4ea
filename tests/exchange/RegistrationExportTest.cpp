// Export of chosen registrations into a new database file.

#include "ExchangeFixture.h"
#include "support/DamagedDatabase.h"

#include "exchange/ExchangeFiles.h"
#include "exchange/RegistrationExport.h"
#include "platform/DatabaseCopy.h"
#include "shell/MAINBAS.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <functional>
#include <optional>
#include <utility>

namespace {

const QString A = "4510104082001", B = "4510104082002", C = "4510104082003";

// Another program writing to a database: the sqlite3 tool, fed statements. It ends
// with the object, killed.
class SqliteTool
{
public:
    explicit SqliteTool(const QString& file) { m_process.start("sqlite3", {file}); }
    ~SqliteTool() { kill(); }

    bool started() { return m_process.waitForStarted(); }
    // Runs `statements`, then makes the file `done` (`.system touch`), and waits for
    // it: false when it did not come.
    bool run(const QString& statements, const QString& done)
    {
        m_process.write((statements + "\n.system touch '" + done + "'\n").toUtf8());
        m_process.waitForBytesWritten();
        for (int i = 0; i < 1000 && !QFile::exists(done); ++i)
            QThread::msleep(10);
        return QFile::exists(done);
    }
    void kill()
    {
        m_process.kill();
        m_process.waitForFinished();
    }

private:
    QProcess m_process;
};

class RegistrationExportTest : public ExchangeFixture
{
protected:
    void SetUp() override
    {
        ExchangeFixture::SetUp();
        for (const QString& n : {A, B, C})
            addRegistration(db(), n);
        addRegistration(db(), "1510104082001"); // an identified registration
        // A reserve row without its header row.
        exec(db(), "INSERT INTO 资源储量 (登记号, 矿产代码) VALUES ('4510104082099', 22001)");
        target = path("out.mdb");
    }

    exchange::ExportRequest request(const QStringList& numbers) const
    {
        exchange::ExportRequest r;
        r.workingDatabase = MAINBAS::Database_File();
        r.templatePath = path("djk.sys");
        r.target = target;
        r.numbers = numbers;
        r.provinceCode = 510000;
        return r;
    }

    QString target;
};

} // namespace

TEST_F(RegistrationExportTest, ExportOfTwoNumbersHoldsExactlyTheirRowsAndTheProvinceCode)
{
    QList<int> steps;
    const Status done = exchange::exportRegistrations(request({C, A}), [&](int d, int t) {
        steps << d;
        return t == 6;
    });
    ASSERT_TRUE(done.ok()) << done.error().description.toStdString();
    EXPECT_EQ(steps, QList<int>({0, 1, 2, 3, 4, 5, 6}));
    Db::ScopedConnection out("out", target, Db::OpenMode::ReadOnly);
    ASSERT_TRUE(out.ok());
    EXPECT_EQ(rowsOf(out.db(), A), full());
    EXPECT_EQ(rowsOf(out.db(), C), full());
    EXPECT_EQ(rowsOf(out.db(), B), none());
    EXPECT_EQ(count(out.db(), "资源储量"), 4);
    EXPECT_EQ(Db::scalar(out.db(), "SELECT 省代码 FROM 参数表").toInt(), 510000);
    EXPECT_EQ(count(out.db(), "参数表"), 1);
    // Rows follow the chosen order; values arrive unchanged.
    EXPECT_EQ(Db::scalar(out.db(), "SELECT 登记号 FROM 登记 ORDER BY rowid").toString(), C);
    EXPECT_EQ(Db::scalar(out.db(), "SELECT 建设项目名称 FROM 压覆 WHERE 登记号=?", {A}).toString(),
              "项目001");
    EXPECT_EQ(count(out.db(), "cb08"), count(db(), "cb08"));
    EXPECT_TRUE(QDir(dir()).entryList({".out.mdb*"}, QDir::Files | QDir::Hidden).isEmpty());
}

TEST_F(RegistrationExportTest, WholeTablesTakeEveryOverlayRowAlsoWithoutHeader)
{
    auto r = request({A, B, C});
    r.wholeTables = true;
    ASSERT_TRUE(exchange::exportRegistrations(r).ok());
    Db::ScopedConnection out("out", target, Db::OpenMode::ReadOnly);
    EXPECT_EQ(count(out.db(), "登记"), 3);
    EXPECT_EQ(count(out.db(), "资源储量"), 7);
    EXPECT_EQ(rowsOf(out.db(), "1510104082001"), none());
}

TEST_F(RegistrationExportTest, ThousandsOfChosenNumbersWork)
{
    QStringList many;
    for (int i = 0; i < 1500; ++i)
        many << QString("4510104%1").arg(100000 + i);
    many << B;
    ASSERT_TRUE(exchange::exportRegistrations(request(many)).ok());
    Db::ScopedConnection out("out", target, Db::OpenMode::ReadOnly);
    EXPECT_EQ(count(out.db(), "登记"), 1);
    EXPECT_EQ(rowsOf(out.db(), B), full());
}

TEST_F(RegistrationExportTest, TheWorkingDatabaseAndTheTemplateAreNoTargets)
{
    const QByteArray working = bytes(MAINBAS::Database_File());
    auto r = request({A});
    r.target = MAINBAS::Database_File();
    EXPECT_FALSE(exchange::exportRegistrations(r).ok());
    r.target = path("djk.sys");
    EXPECT_FALSE(exchange::exportRegistrations(r).ok());
    EXPECT_EQ(bytes(MAINBAS::Database_File()), working);
    EXPECT_EQ(count(db(), "登记"), 4);
}

TEST_F(RegistrationExportTest, AFailureLeavesTargetAndWorkingDatabaseAsTheyWere)
{
    writeFile("out.mdb", "an earlier export");
    // An older working database whose 报告 has no key holds a second report of A:
    // the new file refuses it half way through the tables.
    exec(db(), "ALTER TABLE 报告 RENAME TO 报告_old");
    exec(db(), "CREATE TABLE 报告 AS SELECT * FROM 报告_old");
    exec(db(), "DROP TABLE 报告_old");
    exec(db(), "INSERT INTO 报告 (登记号, 报告名称) VALUES (?, '重复')", {A});
    const QByteArray working = bytes(MAINBAS::Database_File());
    const Status done = exchange::exportRegistrations(request({A, B}));
    ASSERT_FALSE(done.ok());
    EXPECT_EQ(bytes(target), "an earlier export");
    EXPECT_EQ(bytes(MAINBAS::Database_File()), working);
    EXPECT_TRUE(QDir(dir()).entryList({".out.mdb*"}, QDir::Files | QDir::Hidden).isEmpty());

    // A progress that stops the work fails the same way.
    EXPECT_FALSE(exchange::exportRegistrations(request({B}), [](int d, int) { return d < 3; }).ok());
    EXPECT_EQ(bytes(target), "an earlier export");
}

TEST_F(RegistrationExportTest, AReplacedFileKeepsItsPermissionsAndABackupTakesTheDatabases)
{
    const auto privateFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    const auto groupReads = privateFile | QFileDevice::ReadGroup;
    writeFile("out.mdb", "an earlier export");
    ASSERT_TRUE(QFile::setPermissions(target, groupReads));
    ASSERT_TRUE(exchange::exportRegistrations(request({A})).ok());
    EXPECT_EQ(modeOf(target), groupReads);

    // The backup of a private database is private too, also over an older open one.
    ASSERT_TRUE(QFile::setPermissions(MAINBAS::Database_File(), privateFile));
    writeFile("backup.mdb", "an older backup");
    ASSERT_TRUE(QFile::setPermissions(path("backup.mdb"), groupReads | QFileDevice::ReadOther));
    ASSERT_TRUE(exchange::backupDatabase(db(), path("backup.mdb")).ok());
    EXPECT_EQ(modeOf(path("backup.mdb")), privateFile);
    ASSERT_TRUE(exchange::backupDatabase(db(), path("new-backup.mdb")).ok());
    EXPECT_EQ(modeOf(path("new-backup.mdb")), privateFile);
}

TEST_F(RegistrationExportTest, ABackupHoldsWhatWasCommittedWhileAnotherProgramWritesAndAfterItWasKilled)
{
    // Another program writes to the working database.
    const QString working = MAINBAS::Database_File();
    SqliteTool other(working);
    ASSERT_TRUE(other.started());
    const auto run = [&](const QString& statements, const QString& done) {
        return other.run(statements, path(done));
    };
    // It holds the write lock, with a registration it has not committed.
    ASSERT_TRUE(run("PRAGMA cache_size=10; BEGIN IMMEDIATE; INSERT INTO 登记 (登记号) VALUES ('4510104082077');",
                    "locked"));
    const Status whileLocked = exchange::backupDatabase(db(), path("while-locked.mdb"));
    ASSERT_TRUE(whileLocked.ok()) << whileLocked.error().description.toStdString();
    // Then it is killed in the middle of a change larger than its page cache, part of
    // which it has written into the file: its journal is hot.
    ASSERT_TRUE(run("CREATE TABLE 半途 (x BLOB); WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                    "WHERE i < 400) INSERT INTO 半途 SELECT randomblob(2000) FROM n;",
                    "spilled"));
    other.kill();
    ASSERT_TRUE(QFile::exists(working + "-journal"));
    const Status afterKill = exchange::backupDatabase(db(), path("after-kill.mdb"));
    ASSERT_TRUE(afterKill.ok()) << afterKill.error().description.toStdString();
    EXPECT_FALSE(QFile::exists(working + "-journal"));

    for (const char* name : {"while-locked.mdb", "after-kill.mdb"}) {
        SCOPED_TRACE(name);
        Db::ScopedConnection backup("backup", path(name), Db::OpenMode::ReadOnly);
        ASSERT_TRUE(backup.ok()) << backup.error().description.toStdString();
        Db::Error e;
        EXPECT_TRUE(Db::checkIntegrity(backup.db(), &e)) << e.description.toStdString();
        EXPECT_FALSE(Db::hasTable(backup.db(), "半途"));
        EXPECT_EQ(count(backup.db(), "登记"), 4);
        EXPECT_EQ(rowsOf(backup.db(), A), full());
    }
}

// The last good backup is replaced only by a copy that holds exactly what was
// committed when the backup began; a backup that cannot be made says why and leaves it.
TEST_F(RegistrationExportTest, ABackupHoldsExactlyWhatWasCommittedWhenItBeganOrFailsAndLeavesTheLastOne)
{
    const QString working = MAINBAS::Database_File();
    const QString backup = path("DATABASE_BAKUP.MDB");
    const QString later = "4510104082078";
    const QString insertLater = "INSERT INTO 登记 (登记号) VALUES ('" + later + "');";
    const Db::Error refusal{11, "SQLite", "数据库文件已损坏，不能使用：" + path("damaged.mdb")};
    std::optional<SqliteTool> other;
    std::optional<Db::ScopedConnection> damaged;
    const struct
    {
        const char* name;
        // The database to back up.
        std::function<QSqlDatabase()> prepare;
        bool holdsLater;
        QString failure;
    } cases[] = {
        {"another program tries to commit between the pieces of the copy",
         [&] {
             // It waits a fifth of a second for the copy's read lock to go, once.
             Db::setCopyPieces(1024, [&, tried = false]() mutable {
                 if (std::exchange(tried, true)) return;
                 EXPECT_TRUE(other->run("PRAGMA busy_timeout=200; " + insertLater, path("tried")));
             });
             return db();
         },
         false, {}},
        {"a damaged file whose writes were refused",
         [&] {
             EXPECT_TRUE(DamagedDatabase::make(templatePath(), path("damaged.mdb"), 300));
             damaged.emplace("damaged", path("damaged.mdb"), Db::OpenMode::ReadWrite);
             Db::refuseWrites(damaged->name(), refusal);
             return damaged->db();
         },
         false, refusal.description},
        {"left in WAL mode by another tool, with changes only in its -wal",
         [&] {
             EXPECT_TRUE(other->run("PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0; " + insertLater,
                                    path("wal")));
             EXPECT_GT(QFileInfo(working + "-wal").size(), 0);
             return db();
         },
         true, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile("DATABASE_BAKUP.MDB", "the last good backup");
        other.emplace(working);
        ASSERT_TRUE(other->started());
        const Status done = exchange::backupDatabase(c.prepare(), backup);
        Db::setCopyPieces(0, nullptr);
        other.reset();
        if (!c.failure.isEmpty()) {
            EXPECT_EQ(done.ok() ? "" : done.error().description.toStdString(), c.failure.toStdString());
            EXPECT_EQ(bytes(backup), "the last good backup");
            continue;
        }
        ASSERT_TRUE(done.ok()) << done.error().description.toStdString();
        Db::ScopedConnection copy("backup", backup, Db::OpenMode::ReadOnly);
        ASSERT_TRUE(copy.ok());
        Db::Error e;
        EXPECT_TRUE(Db::checkIntegrity(copy.db(), &e)) << e.description.toStdString();
        EXPECT_EQ(count(copy.db(), "登记"), 4 + int(c.holdsLater));
        EXPECT_EQ(Db::scalar(copy.db(), "SELECT count(*) FROM 登记 WHERE 登记号=?", {later}).toInt(),
                  int(c.holdsLater));
    }
}

TEST_F(RegistrationExportTest, AnotherProgramWritingToTheWorkingDatabaseDoesNotStopTheExport)
{
    Db::ScopedConnection other("other", MAINBAS::Database_File(), Db::OpenMode::ReadWrite);
    ASSERT_TRUE(other.ok());
    exec(other.db(), "BEGIN IMMEDIATE");
    exec(other.db(), "DELETE FROM 坐标 WHERE 登记号=?", {A});
    const Status done = exchange::exportRegistrations(request({A}));
    exec(other.db(), "ROLLBACK");
    ASSERT_TRUE(done.ok()) << done.error().description.toStdString();
    Db::ScopedConnection out("out", target, Db::OpenMode::ReadOnly);
    EXPECT_EQ(rowsOf(out.db(), A), full());
}
