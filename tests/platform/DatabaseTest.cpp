#include "support/DamagedDatabase.h"
#include "support/ProgramFolder.h"

#include "platform/ColumnCatalog.h"
#include "platform/Database.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlRecord>

#include <atomic>
#include <chrono>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

namespace {

class DatabaseTest : public ProgramFolder
{
};

TEST_F(DatabaseTest, OpeningNeverCreatesAFileAndRefusesWhatIsNoDatabase)
{
    Db::Error error;
    const QString missing = path(QStringLiteral("nothing.mdb"));
    EXPECT_FALSE(Db::open(QStringLiteral("t"), missing, Db::OpenMode::ReadWrite, &error));
    EXPECT_FALSE(QFileInfo::exists(missing));
    EXPECT_TRUE(error.isSet());

    QByteArray noise;
    for (int i = 0; i < 4096; ++i) noise.append(char((i * 7919) % 251));
    writeFile(QStringLiteral("noise.mdb"), noise);
    EXPECT_FALSE(Db::open(QStringLiteral("t"), path(QStringLiteral("noise.mdb")), Db::OpenMode::ReadOnly, &error));
    EXPECT_NE(error.number, 0);
    EXPECT_FALSE(Db::isOpen(QStringLiteral("t")));

    // A folder is no database file either.
    EXPECT_FALSE(Db::open(QStringLiteral("t"), dir(), Db::OpenMode::ReadOnly, &error));
}

TEST_F(DatabaseTest, ReadOnlyConnectionCannotWrite)
{
    const QString file = copyTemplate(QStringLiteral("ro.mdb"));
    Db::ScopedConnection c(QStringLiteral("ro"), file, Db::OpenMode::ReadOnly);
    ASSERT_TRUE(c.ok());
    Db::Error error;
    EXPECT_FALSE(Db::exec(c.db(), QStringLiteral("insert into 参数表 (省代码) values (?)"), {510000}, &error));
    EXPECT_TRUE(error.isSet());
}

TEST_F(DatabaseTest, AFileAttachedReadOnlyIsReadButNeverWritten)
{
    const QString file = copyTemplate(QStringLiteral("源 #1%.mdb"));
    runSql(file, {QStringLiteral("insert into 参数表 (省代码) values (510000)")});
    Db::ScopedConnection c(QStringLiteral("rw"), copyTemplate(QStringLiteral("rw.mdb")),
                           Db::OpenMode::ReadWrite);
    ASSERT_TRUE(c.ok());
    Db::Error error;
    ASSERT_TRUE(Db::attach(c.db(), file, QStringLiteral("src"), Db::OpenMode::ReadOnly, &error))
        << error.description.toStdString();
    EXPECT_EQ(Db::scalar(c.db(), QStringLiteral("select 省代码 from src.参数表")).toInt(), 510000);
    EXPECT_FALSE(Db::exec(c.db(), QStringLiteral("delete from src.参数表"), {}, &error));
    EXPECT_TRUE(
        Db::exec(c.db(), QStringLiteral("insert into 参数表 (省代码) select 省代码 from src.参数表")));
    EXPECT_TRUE(Db::detach(c.db(), QStringLiteral("src")));
    EXPECT_FALSE(Db::attach(c.db(), path(QStringLiteral("nothing.mdb")), QStringLiteral("src"),
                            Db::OpenMode::ReadOnly, &error));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("nothing.mdb"))));
    writeFile(QStringLiteral("text.mdb"), QByteArray(2048, 'x'));
    EXPECT_FALSE(Db::attach(c.db(), path(QStringLiteral("text.mdb")), QStringLiteral("src"),
                            Db::OpenMode::ReadOnly, &error));
}

TEST_F(DatabaseTest, BoundValuesKeepQuotesAndTransactionsRollBackUnlessCommitted)
{
    const QString file = copyTemplate(QStringLiteral("rw.mdb"));
    Db::ScopedConnection c(QStringLiteral("rw"), file, Db::OpenMode::ReadWrite);
    ASSERT_TRUE(c.ok());
    const QString tricky = QStringLiteral("4110000082001' or '1'='1");
    {
        Db::TransactionGuard tx(c.db());
        ASSERT_TRUE(tx.started());
        ASSERT_TRUE(Db::exec(c.db(), QStringLiteral("insert into 登记 (登记号, 填表人) values (?, ?)"),
                             {tricky, QStringLiteral("张三")}));
        // no commit: rolled back when the guard goes
    }
    EXPECT_EQ(Db::scalar(c.db(), QStringLiteral("select count(*) from 登记")).toInt(), 0);
    {
        Db::TransactionGuard tx(c.db());
        ASSERT_TRUE(Db::exec(c.db(), QStringLiteral("insert into 登记 (登记号, 填表人) values (?, ?)"),
                             {tricky, QStringLiteral("张三")}));
        ASSERT_TRUE(tx.commit());
    }
    EXPECT_EQ(Db::scalar(c.db(), QStringLiteral("select 填表人 from 登记 where 登记号=?"), {tricky}).toString(),
              QStringLiteral("张三"));
    EXPECT_EQ(Db::scalar(c.db(), QStringLiteral("select count(*) from 登记 where 登记号=?"),
                         {QStringLiteral("4110000082001")})
                  .toInt(),
              0);
}

TEST_F(DatabaseTest, RowsGiveEachValueAsExecReadsIt)
{
    const QString file = copyTemplate(QStringLiteral("rows.mdb"));
    Db::ScopedConnection c(QStringLiteral("rows"), file, Db::OpenMode::ReadOnly);
    ASSERT_TRUE(c.ok());
    // Every storage class, and a text that is no valid UTF-8.
    const QString sql = QStringLiteral(
        "SELECT NULL, 7, -2.5, 1e20, '', '中文 a', x'', x'00ff', CAST(x'41c080ff42' AS TEXT), '0.10'");
    auto q = Db::exec(c.db(), sql);
    ASSERT_TRUE(q && q->next());
    Db::Rows rows(c.db(), sql);
    ASSERT_TRUE(rows.next());
    ASSERT_EQ(rows.columnCount(), q->record().count());
    using K = Db::Rows::Kind;
    const QList<K> kinds{K::Null, K::Integer, K::Real, K::Real, K::Text,
                         K::Text, K::Blob,    K::Blob, K::Text, K::Text};
    for (int i = 0; i < rows.columnCount(); ++i) {
        EXPECT_EQ(rows.kind(i), kinds.value(i)) << i;
        const QVariant expected = q->value(i);
        const QVariant v = rows.value(i);
        EXPECT_EQ(v.metaType(), expected.metaType()) << i;
        EXPECT_EQ(v.isNull(), expected.isNull()) << i;
        EXPECT_EQ(v, expected) << i;
    }
    EXPECT_FALSE(rows.next());
    EXPECT_TRUE(rows.finished());
}

TEST_F(DatabaseTest, ColumnKindsComeFromDeclaredTypes)
{
    EXPECT_EQ(Db::typeCodeForDeclared(QStringLiteral("INTEGER")), Db::TypeInteger);
    EXPECT_EQ(Db::typeCodeForDeclared(QStringLiteral("REAL")), Db::TypeDouble);
    EXPECT_EQ(Db::typeCodeForDeclared(QStringLiteral("varchar(13)")), Db::TypeVarWChar);
    EXPECT_EQ(Db::typeCodeForDeclared(QStringLiteral("LONGTEXT")), Db::TypeLongVarWChar);
    EXPECT_EQ(Db::typeCodeForDeclared(QStringLiteral("BOOLEAN")), Db::TypeBoolean);
    EXPECT_EQ(Db::typeCodeForDeclared(QStringLiteral("DATETIME")), Db::TypeDbTimeStamp);
    EXPECT_EQ(Db::typeCodeForDeclared(QString()), Db::TypeVarWChar);

    const QString file = copyTemplate(QStringLiteral("cat.mdb"));
    Db::ScopedConnection c(QStringLiteral("cat"), file, Db::OpenMode::ReadOnly);
    ASSERT_TRUE(c.ok());
    const auto cols = Db::columns(c.db(), QStringLiteral("登记"));
    ASSERT_FALSE(cols.isEmpty());
    EXPECT_EQ(cols.first().name, QStringLiteral("登记号"));
    EXPECT_EQ(Db::columnTypeCode(c.db(), QStringLiteral("CB08"), QStringLiteral("dm")), Db::TypeInteger);
    EXPECT_TRUE(Db::columns(c.db(), QStringLiteral("no such table")).isEmpty());
}

TEST_F(DatabaseTest, ScopedConnectionsGoAwayWithTheirScope)
{
    const QString file = copyTemplate(QStringLiteral("s.mdb"));
    QString name;
    {
        Db::ScopedConnection c(QStringLiteral("s"), file, Db::OpenMode::ReadOnly);
        ASSERT_TRUE(c.ok());
        name = c.name();
        EXPECT_TRUE(QSqlDatabase::contains(name));
    }
    EXPECT_FALSE(QSqlDatabase::contains(name));
}

// The tables and fields of a reference found in a file however its tables were made:
// by the same statements, by others, or changed afterwards.
TEST_F(DatabaseTest, TheFirstMissingTableOrFieldIsFoundHoweverTheTablesWereMade)
{
    const QString reference = path(QStringLiteral("reference.mdb"));
    runSql(reference, {QStringLiteral("CREATE TABLE a (x TEXT, y TEXT)"), QStringLiteral("CREATE TABLE b (p, q)")});
    Db::ScopedConnection want(QStringLiteral("want"), reference, Db::OpenMode::ReadOnly);
    ASSERT_TRUE(want.ok());
    const QString sameB = QStringLiteral("CREATE TABLE b (p, q)");
    struct Case
    {
        QStringList made;
        QStringList among;
        QString table;
        QString column;
    };
    const QList<Case> cases{
        {{QStringLiteral("CREATE TABLE a (x TEXT, y TEXT)"), sameB}, {}, {}, {}},
        {{QStringLiteral("CREATE TABLE a (y INTEGER, x)"), sameB}, {}, {}, {}},
        {{QStringLiteral("CREATE TABLE a (X TEXT, Y TEXT)"), sameB}, {}, {}, {}},
        {{QStringLiteral("CREATE TABLE a (x TEXT)"), QStringLiteral("ALTER TABLE a ADD COLUMN y TEXT"), sameB},
         {}, {}, {}},
        {{QStringLiteral("CREATE TABLE a (x TEXT, z TEXT)"), sameB}, {}, QStringLiteral("a"), QStringLiteral("y")},
        {{QStringLiteral("CREATE TABLE a (x TEXT, y TEXT)"), QStringLiteral("CREATE TABLE b (p)")},
         {},
         QStringLiteral("b"),
         QStringLiteral("q")},
        {{QStringLiteral("CREATE TABLE a (x TEXT, y TEXT)")}, {}, QStringLiteral("b"), {}},
        {{QStringLiteral("CREATE TABLE a (x TEXT, y TEXT)")}, {QStringLiteral("a")}, {}, {}},
    };
    for (int i = 0; i < cases.size(); ++i) {
        const QString file = path(QStringLiteral("made%1.mdb").arg(i));
        runSql(file, cases[i].made);
        Db::ScopedConnection have(QStringLiteral("have"), file, Db::OpenMode::ReadOnly);
        ASSERT_TRUE(have.ok());
        const Db::MissingColumn missing = Db::firstMissingColumn(have.db(), want.db(), cases[i].among);
        EXPECT_EQ(missing.table, cases[i].table) << cases[i].made.join(QLatin1String("; ")).toStdString();
        EXPECT_EQ(missing.column, cases[i].column) << cases[i].made.join(QLatin1String("; ")).toStdString();
    }
}

} // namespace

namespace {

class DatabaseDamageTest : public ProgramFolder
{
};

// The check at the open reads the start of every table, however many there are,
// along the table itself; damage to an index is left to the check of every page.
TEST_F(DatabaseDamageTest, TheStructureCheckReadsTheStartOfEveryTable)
{
    const QString sound = path(QStringLiteral("many.mdb"));
    QStringList statements;
    for (int i = 0; i < 130; ++i) {
        const QString table = QStringLiteral("t%1").arg(i, 3, 10, QLatin1Char('0'));
        statements << QStringLiteral("CREATE TABLE %1 (k INTEGER PRIMARY KEY, v TEXT)").arg(table)
                   << QStringLiteral("CREATE INDEX i_%1 ON %1 (v)").arg(table)
                   << QStringLiteral("INSERT INTO %1 (v) VALUES ('%1')").arg(table);
    }
    runSql(sound, statements);
    const struct
    {
        QString damaged;
        bool passes;
    } cases[]{
        {QString(), true},
        {QStringLiteral("t003"), false},
        {QStringLiteral("t120"), false},
        {QStringLiteral("i_t120"), true},
    };
    for (const auto& c : cases) {
        const QString file = path(QStringLiteral("damaged-%1.mdb").arg(c.damaged));
        ASSERT_TRUE(QFile::copy(sound, file));
        if (!c.damaged.isEmpty()) {
            ASSERT_TRUE(DamagedDatabase::damageRoot(file, c.damaged));
        }
        Db::ScopedConnection db(QStringLiteral("checked"), file, Db::OpenMode::ReadOnly);
        ASSERT_TRUE(db.ok());
        Db::Error error;
        EXPECT_EQ(Db::checkStructure(db.db(), &error), c.passes) << c.damaged.toStdString();
        if (!c.passes) {
            EXPECT_EQ(error.number & 0xff, 11) << c.damaged.toStdString();
        }
    }
}

TEST_F(DatabaseDamageTest, AReadLoopEndedByDamageReportsItAndTheQuickCheckFindsIt)
{
    const QString file = path(QStringLiteral("damaged.mdb"));
    ASSERT_TRUE(DamagedDatabase::make(templatePath(), file, 300));
    Db::ScopedConnection c(QStringLiteral("damaged"), file, Db::OpenMode::ReadOnly);
    ASSERT_TRUE(c.ok());
    Db::Error error;
    EXPECT_FALSE(Db::checkIntegrity(c.db(), &error));
    EXPECT_EQ(error.number, 11);
    EXPECT_EQ(error.description, QStringLiteral("完整性检查未通过（数据库文件已损坏）"));

    // Some table of the file runs into the damage; its loop must not end as if done.
    int failed = 0;
    for (const QString& table : Db::tableNames(c.db())) {
        auto q = Db::exec(c.db(), QStringLiteral("SELECT * FROM \"%1\"").arg(table));
        if (!q) {
            ++failed;
            continue;
        }
        while (q->next()) {
        }
        Db::Error e;
        if (!Db::finished(*q, &e)) {
            ++failed;
            EXPECT_TRUE(e.isSet());
        }
    }
    EXPECT_GT(failed, 0);

    Db::ScopedConnection sound(QStringLiteral("sound"), templatePath(), Db::OpenMode::ReadOnly);
    EXPECT_TRUE(Db::checkIntegrity(sound.db()));
}

TEST_F(DatabaseDamageTest, AWriteWaitsForASecondWriterAndThenReportsTheLock)
{
    const QString file = copyTemplate(QStringLiteral("shared.mdb"));
    Db::ScopedConnection c(QStringLiteral("writer"), file, Db::OpenMode::ReadWrite);
    ASSERT_TRUE(c.ok());

    // Another writer holds the write lock for `holdMs` on a thread of its own.
    std::atomic<bool> locked{false};
    auto holdLock = [&](int holdMs) {
        return std::thread([&, holdMs] {
            {
                Db::ScopedConnection other(QStringLiteral("other"), file, Db::OpenMode::ReadWrite);
                Db::exec(other.db(), QStringLiteral("BEGIN IMMEDIATE"));
                locked = true;
                std::this_thread::sleep_for(std::chrono::milliseconds(holdMs));
                Db::exec(other.db(), QStringLiteral("ROLLBACK"));
            }
            locked = false;
        });
    };

    std::thread t = holdLock(1500);
    while (!locked)
        std::this_thread::yield();
    {
        Db::TransactionGuard tx(c.db());
        ASSERT_TRUE(tx.started()) << tx.beginError(QStringLiteral("t")).description.toStdString();
        // A read before the write, as a save makes.
        ASSERT_TRUE(Db::scalar(c.db(), QStringLiteral("select count(*) from 参数表")).isValid());
        ASSERT_TRUE(Db::exec(c.db(), QStringLiteral("insert into 参数表 (省代码) values (?)"), {510000}));
        Db::Error error;
        EXPECT_TRUE(tx.commit(&error)) << error.description.toStdString();
    }
    t.join();
    EXPECT_EQ(Db::scalar(c.db(), QStringLiteral("select count(*) from 参数表")).toInt(), 1);

    // A lock held beyond the wait: the write is refused with the plain cause.
    ASSERT_TRUE(Db::exec(c.db(), QStringLiteral("PRAGMA busy_timeout=200")));
    t = holdLock(1500);
    while (!locked)
        std::this_thread::yield();
    {
        Db::TransactionGuard tx(c.db());
        EXPECT_FALSE(tx.started());
        const Db::Error e = tx.beginError(QStringLiteral("Save_Data_All"));
        EXPECT_EQ(e.number, 5);
        EXPECT_EQ(e.source, QStringLiteral("Save_Data_All"));
        // The plain cause alone: neither SQLite's English nor the driver's "无法获取行".
        EXPECT_EQ(e.description, QStringLiteral("数据库正被另一个程序使用（已锁定），请稍后再试"));
    }
    t.join();
}

// Once writes on a connection are refused, every write says the reason of the refusal,
// whichever way it is made; reads go on.
TEST_F(DatabaseDamageTest, EveryRefusedWriteSaysWhyItWasRefused)
{
    const QString file = copyTemplate(QStringLiteral("refused.mdb"));
    Db::ScopedConnection c(QStringLiteral("refused"), file, Db::OpenMode::ReadWrite);
    ASSERT_TRUE(c.ok());
    const Db::Error why{11, QStringLiteral("SQLite"), QStringLiteral("数据库文件已损坏，不能使用：") + file};
    Db::refuseWrites(c.name(), why);
    const QString copy = path(QStringLiteral("copy.mdb"));
    const QStringList writes{
        QStringLiteral("update 参数表 set 省代码=1"),
        QStringLiteral("insert into 参数表 (省代码) values (1)"),
        QStringLiteral("create index 新索引 on 参数表 (省代码)"),
        QStringLiteral("VACUUM INTO '") + copy + QLatin1Char('\''),
    };
    for (const QString& sql : writes) {
        Db::Error error;
        EXPECT_FALSE(Db::exec(c.db(), sql, {}, &error)) << sql.toStdString();
        EXPECT_EQ(error.number, why.number) << sql.toStdString();
        EXPECT_EQ(error.description.toStdString(), why.description.toStdString()) << sql.toStdString();
    }
    Db::TransactionGuard save(c.db());
    EXPECT_FALSE(save.started());
    EXPECT_EQ(save.beginError(QStringLiteral("Save_Data_All")).description, why.description);
    EXPECT_TRUE(Db::scalar(c.db(), QStringLiteral("select count(*) from 参数表")).isValid());
}

TEST_F(DatabaseDamageTest, PlainCausesOfTheCommonFailures)
{
    EXPECT_EQ(Db::plainCause(13), QStringLiteral("磁盘已满"));
    EXPECT_EQ(Db::plainCause(1032), Db::plainCause(8)) << "an extended code has its primary's cause";
    EXPECT_TRUE(Db::plainCause(14).contains(QStringLiteral("删除")));
    EXPECT_TRUE(Db::plainCause(1).isEmpty());

    // A file deleted while open can no longer be written.
    const QString file = copyTemplate(QStringLiteral("gone.mdb"));
    Db::ScopedConnection c(QStringLiteral("gone"), file, Db::OpenMode::ReadWrite);
    ASSERT_TRUE(Db::probeWrite(c.db()));
    ASSERT_TRUE(QFile::remove(file));
    Db::Error error;
    EXPECT_FALSE(Db::probeWrite(c.db(), &error));
    EXPECT_TRUE(error.description == Db::plainCause(8) || error.description == Db::plainCause(14))
        << error.description.toStdString();
}

} // namespace

namespace {

// What a read-only open of `file` gives in a process that may not write it (the
// superuser gives up its rights first): 0 the refusal with the plain cause of an
// unfinished write, 1 it opened, 2 another failure.
int openWithoutWriteRights(const QString& folder, const QString& file)
{
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                      QFileDevice::ExeOther);
    for (const QString& f : {file, file + QStringLiteral("-journal")})
        QFile::setPermissions(f, QFileDevice::ReadOwner | QFileDevice::ReadOther);
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
        Db::Error e;
        if (Db::open(QStringLiteral("hot"), file, Db::OpenMode::ReadOnly, &e)) _exit(1);
        _exit(e.number == Db::ReadOnlyRollback &&
                      e.description ==
                          QStringLiteral("数据库文件中留有另一个程序未完成的写入（该程序可能已中途"
                                         "退出），须先由该程序或可写入此文件的程序打开一次，才能读取")
                  ? 0
                  : 2);
    }
    int status = -1;
    waitpid(child, &status, 0);
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    for (const QString& f : {file, file + QStringLiteral("-journal")})
        QFile::setPermissions(f, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST_F(DatabaseDamageTest, AnUnfinishedWriteOfAnotherProgramIsRolledBackWhereItMayBeAndToldElsewhere)
{
    const QString file = copyTemplate(QStringLiteral("base.mdb"));
    runSql(file, {QStringLiteral("insert into 参数表 (省代码) values (510000)")});
    const QString hot = path(QStringLiteral("hot.mdb"));
    ASSERT_TRUE(DamagedDatabase::leaveHotJournal(file, hot));

    // Without the right to write it, the file is refused with the true cause and left as it is.
    EXPECT_EQ(openWithoutWriteRights(dir(), hot), 0);
    EXPECT_TRUE(QFile::exists(hot + QStringLiteral("-journal")));

    // With it, the unfinished write is rolled back and the file reads as before it.
    {
        Db::ScopedConnection c(QStringLiteral("hot"), hot, Db::OpenMode::ReadOnly);
        ASSERT_TRUE(c.ok()) << c.error().description.toStdString();
        EXPECT_EQ(Db::scalar(c.db(), QStringLiteral("select 省代码 from 参数表")).toInt(), 510000);
        EXPECT_FALSE(Db::hasTable(c.db(), QStringLiteral("半途")));
    }
    EXPECT_FALSE(QFile::exists(hot + QStringLiteral("-journal")));

    // An attached file is rolled back the same way.
    const QString hot2 = path(QStringLiteral("hot2.mdb"));
    ASSERT_TRUE(DamagedDatabase::leaveHotJournal(file, hot2));
    Db::ScopedConnection c(QStringLiteral("rw"), copyTemplate(QStringLiteral("rw.mdb")),
                           Db::OpenMode::ReadWrite);
    Db::Error error;
    ASSERT_TRUE(Db::attach(c.db(), hot2, QStringLiteral("src"), Db::OpenMode::ReadOnly, &error))
        << error.description.toStdString();
    EXPECT_EQ(Db::scalar(c.db(), QStringLiteral("select 省代码 from src.参数表")).toInt(), 510000);
}
