#include "support/AnotherProgram.h"

#include "platform/Database.h"
#include "platform/FileGate.h"
#include "platform/FileMark.h"
#include "platform/NewFile.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <functional>
#include <optional>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

QByteArray hashOf(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

// The three places where the gate is asked: a new file made beside its target, a
// finished file put in place, and a removal. Each answers its error.
const struct Operation
{
    const char* name;
    std::function<QString(const QString& target)> run;
} operations[] = {
    {"NewFile",
     [](const QString& target) {
         NewFile f(target);
         return f.open() && f.write("new") && f.commit() ? QString() : f.errorString();
     }},
    {"NewFile::place",
     [](const QString& target) {
         QString why;
         const QString part = NewFile::makeTemporary(QDir::tempPath() + QStringLiteral("/elsewhere"), &why);
         return NewFile::place(part, target, &why) ? QString() : why;
     }},
    {"FileGate::remove",
     [](const QString& target) {
         const Status removed = FileGate::remove(target);
         return removed ? QString() : removed.error().description;
     }},
};

// What the windows' test does not reach: the journal files of a database opened
// through a link, under its name and its real name, and a file a run declares it
// reads, with its own journal files. Each is protected while in use, and let go with it.
TEST(FileGate, TheJournalsOfADatabaseInUseAndAFileReadAreProtectedWhileInUse)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QDir d(folder.path());
    const auto at = [&](const char* name) { return d.filePath(QString::fromUtf8(name)); };
    const auto make = [&](const char* name, const QByteArray& bytes) {
        QFile f(at(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    ASSERT_TRUE(d.mkpath(QStringLiteral("real")));
    make("read.mdb", "read");
    make("read.mdb-journal", "read journal");
    make("real/djk.mdb", QByteArray());
    ASSERT_EQ(::symlink("real/djk.mdb", QFile::encodeName(at("link.mdb")).constData()), 0);
    ASSERT_TRUE(Db::open(QStringLiteral("gate"), at("link.mdb"), Db::OpenMode::ReadWrite));
    make("real/djk.mdb-journal", "journal");
    std::optional<FileGate::Reading> reading(std::in_place, at("read.mdb"));

    const char* protectedNames[] = {"real/djk.mdb-journal", "link.mdb-wal",  "real/djk.mdb-shm", "read.mdb",
                                    "read.mdb-journal",     "read.mdb-wal", "read.mdb-shm"};
    const QByteArray journal = hashOf(at("real/djk.mdb-journal")), read = hashOf(at("read.mdb"));
    const QByteArray readJournal = hashOf(at("read.mdb-journal"));
    for (const Operation& op : operations) {
        for (const char* name : protectedNames) {
            SCOPED_TRACE(std::string(op.name) + " on " + name);
            const QString target = at(name);
            const QString said = op.run(target);
            EXPECT_TRUE(said.startsWith(QStringLiteral("不能改写或删除文件：") + target + QLatin1Char('\r')))
                << said.toStdString();
        }
    }
    EXPECT_EQ(hashOf(at("real/djk.mdb-journal")), journal);
    EXPECT_EQ(hashOf(at("read.mdb")), read);
    EXPECT_EQ(hashOf(at("read.mdb-journal")), readJournal);
    for (const char* name : {"real/djk.mdb-wal", "read.mdb-wal", "read.mdb-shm"})
        EXPECT_FALSE(QFileInfo::exists(at(name))) << name;
    // No temporary file of a refused write is left behind.
    EXPECT_EQ(d.entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral(".orvane-")), QStringList());

    Db::close(QStringLiteral("gate"));
    reading.reset();
    for (const Operation& op : operations) {
        SCOPED_TRACE(op.name);
        for (const char* name : {"real/djk.mdb-journal", "read.mdb", "read.mdb-journal", "read.mdb-shm"}) {
            make(name, "old");
            EXPECT_EQ(op.run(at(name)), QString()) << name;
        }
    }
}

// Seen from this program: a database another running program has open, and its
// journals, whatever that program did with other descriptors of it; one that may
// be, since it cannot be opened to look (another user's), and its journals; a temporary
// file it is writing, which no sweep takes until it is killed. And this program's
// own: a database renamed while open, and a database named like a temporary file,
// whose locks a sweep leaves as they are.
TEST(FileGate, WhatAnyRunningProgramUsesIsRefusedWhateverItsNameNow)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QDir d(folder.path());
    const auto at = [&](const QString& name) { return d.filePath(name); };
    for (const char* name : {"theirs.mdb", "mine.mdb", ".orvane-InUse0.tmp"}) {
        ASSERT_TRUE(QFile::copy(QStringLiteral(ORVANE_TEMPLATE_PATH), at(QString::fromUtf8(name))));
        QFile::setPermissions(at(QString::fromUtf8(name)), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    const auto sweep = [&] {
        NewFile f(at(QStringLiteral("report.txt")));
        ASSERT_TRUE(f.open());
    };
    const QString inUse = at(QStringLiteral(".orvane-InUse0.tmp"));
    ASSERT_TRUE(Db::open(QStringLiteral("in-use"), inUse, Db::OpenMode::ReadWrite));
    AnotherProgram other;
    ASSERT_EQ(other.open(at(QStringLiteral("theirs.mdb"))), QStringLiteral("ok"));
    // Closing another descriptor of the file lets no mark of it go.
    ASSERT_EQ(other.peek(at(QStringLiteral("theirs.mdb"))), QStringLiteral("ok"));
    const QString theirs = hashOf(at(QStringLiteral("theirs.mdb")));
    ASSERT_TRUE(QFile::copy(at(QStringLiteral("theirs.mdb")), at(QStringLiteral("unseen.mdb"))));
    const auto restore = qScopeGuard([] { FileMark::setSystemCalls(nullptr, nullptr); });
    FileMark::setSystemCalls(
        [](const char* path, int flags) {
            return QByteArray(path).endsWith("/unseen.mdb") ? (errno = EACCES, -1) : ::open(path, flags);
        },
        nullptr);
    const QString inUseElsewhere = QStringLiteral("它是另一个正在运行的程序正在使用的数据库文件");
    const QString unseen = QStringLiteral("因而无法确定它是否正被另一个正在运行的程序使用。");
    const QPair<QString, QString> refused[] = {{QStringLiteral("theirs.mdb"), inUseElsewhere},
                                               {QStringLiteral("theirs.mdb-journal"), inUseElsewhere},
                                               {QStringLiteral("unseen.mdb"), unseen},
                                               {QStringLiteral("unseen.mdb-journal"), unseen}};
    for (const Operation& op : operations)
        for (const auto& [name, why] : refused) {
            SCOPED_TRACE(std::string(op.name) + " on " + name.toStdString());
            const QString said = op.run(at(name));
            EXPECT_TRUE(said.startsWith(QStringLiteral("不能改写或删除文件：") + at(name)) &&
                        said.contains(why))
                << said.toStdString();
        }
    EXPECT_EQ(hashOf(at(QStringLiteral("theirs.mdb"))), theirs);
    EXPECT_EQ(hashOf(at(QStringLiteral("unseen.mdb"))), hashOf(at(QStringLiteral("theirs.mdb"))));
    const QString written = other.write(at(QStringLiteral("new.mdb"))).mid(3);
    ASSERT_TRUE(QFileInfo::exists(written)) << written.toStdString();

    ASSERT_TRUE(Db::open(QStringLiteral("mine"), at(QStringLiteral("mine.mdb")), Db::OpenMode::ReadWrite));
    ASSERT_EQ(std::rename(QFile::encodeName(at(QStringLiteral("mine.mdb"))).constData(),
                          QFile::encodeName(at(QStringLiteral("renamed.mdb"))).constData()),
              0);
    EXPECT_TRUE(FileGate::refusal(at(QStringLiteral("renamed.mdb")))
                    .endsWith(QStringLiteral("\r它是程序正在使用的数据库文件。")));
    Db::close(QStringLiteral("mine"));

    ASSERT_TRUE(Db::exec(Db::connection(QStringLiteral("in-use")), QStringLiteral("BEGIN IMMEDIATE")));
    sweep();
    EXPECT_TRUE(QFileInfo::exists(inUse));
    {
        AnotherProgram second;
        ASSERT_EQ(second.open(inUse), QStringLiteral("ok"));
        EXPECT_TRUE(second.begin().startsWith(QStringLiteral("failed"))) << "a second writer got in";
    }
    Db::exec(Db::connection(QStringLiteral("in-use")), QStringLiteral("ROLLBACK"));
    Db::close(QStringLiteral("in-use"));
    EXPECT_TRUE(QFileInfo::exists(written));

    other.kill();
    sweep();
    EXPECT_FALSE(QFileInfo::exists(written));
    EXPECT_EQ(FileGate::refusal(at(QStringLiteral("theirs.mdb"))), QString());
}

// A file that cannot take the place of the old one (here a folder of that name)
// leaves the old one's side files beside it as they were.
TEST(FileCopy, WhatCannotBePutInPlaceLeavesTheOldFileWithItsJournals)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QDir d(folder.path());
    ASSERT_TRUE(d.mkpath(QStringLiteral("old.mdb/inside")));
    QByteArrayList sides;
    for (const char* suffix : {"-journal", "-wal"}) {
        QFile f(d.filePath(QStringLiteral("old.mdb") + QString::fromUtf8(suffix)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("the old file's ") + suffix);
        f.close();
        sides << hashOf(f.fileName());
    }
    NewFile f(d.filePath(QStringLiteral("old.mdb")));
    ASSERT_TRUE(f.open() && f.write("new"));
    EXPECT_FALSE(f.commit());
    EXPECT_EQ(hashOf(d.filePath(QStringLiteral("old.mdb-journal"))), sides[0]);
    EXPECT_EQ(hashOf(d.filePath(QStringLiteral("old.mdb-wal"))), sides[1]);
    EXPECT_EQ(d.entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral(".orvane-")), QStringList());
}

// A killed writer's journal stays with the old file while SQLite cannot roll its
// change back (another program reads the file), and goes with it once it has; what
// is left of a journal that holds no change goes with the old file.
TEST(FileCopy, AKilledWritersJournalStaysWithTheOldFileWhileItMayNeedIt)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QDir d(folder.path());
    const QString target = d.filePath(QStringLiteral("old.mdb")),
                  journal = target + QStringLiteral("-journal");
    const auto write = [&] {
        NewFile f(target);
        return f.open() && f.write("new") && f.commit() ? QString() : f.errorString();
    };
    for (const bool hot : {true, false}) {
        SCOPED_TRACE(hot ? "a hot journal" : "a journal that holds no change");
        QFile::remove(target);
        ASSERT_TRUE(QFile::copy(QStringLiteral(ORVANE_TEMPLATE_PATH), target));
        QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        if (hot) {
            AnotherProgram writer, reader;
            ASSERT_EQ(writer.open(target), QStringLiteral("ok"));
            ASSERT_EQ(writer.change(), QStringLiteral("ok"));
            writer.kill();
            ASSERT_EQ(reader.share(target), QStringLiteral("ok"));
            const QByteArray old = hashOf(target), oldJournal = hashOf(journal);
            EXPECT_TRUE(write().startsWith(QStringLiteral("不能改写文件：") + target +
                                           QStringLiteral("\r它留有未完成的写入")));
            EXPECT_EQ(hashOf(target) + hashOf(journal), old + oldJournal);
        } else {
            QFile f(journal);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(QByteArray(512, '\0')) == 512);
        }
        EXPECT_EQ(write(), QString());
        EXPECT_EQ(d.entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("old.mdb")});
    }
}

int g_lockError = 0;

// On a filesystem that takes no byte-range locks, whatever error its lock calls
// give, a temporary file of ours is stale once nothing was written into it for an
// hour, and not before.
TEST(NewFile, WhereNoMarkCanBeTakenATemporaryFileIsStaleAfterAnHour)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QDir d(folder.path());
    const auto restore = qScopeGuard([] { FileMark::setSystemCalls(nullptr, nullptr); });
    FileMark::setSystemCalls(nullptr, [](int, int, struct flock*) { return errno = g_lockError, -1; });
    for (const int error : {ENOLCK, EOPNOTSUPP, EINVAL}) {
        SCOPED_TRACE(std::strerror(error));
        g_lockError = error;
        for (const qint64 age : {3700, 0}) {
            QFile f(d.filePath(age ? QStringLiteral(".orvane-Old000.tmp")
                                   : QStringLiteral(".orvane-New000.tmp")));
            ASSERT_TRUE(
                f.open(QIODevice::WriteOnly) && f.write("left behind") > 0 && f.flush() &&
                f.setFileTime(QDateTime::currentDateTime().addSecs(-age), QFileDevice::FileModificationTime));
        }
        NewFile f(d.filePath(QStringLiteral("report.txt")));
        ASSERT_TRUE(f.open() && f.write("report") && f.commit()) << f.errorString().toStdString();
        EXPECT_EQ(d.entryList(QDir::Files | QDir::Hidden),
                  QStringList({QStringLiteral(".orvane-New000.tmp"), QStringLiteral("report.txt")}));
    }
}

// A temporary file that cannot be marked as ours (no descriptor left for its mark)
// would be taken for stale by the next sweep, this program's own included, while it
// is written: the writer fails with the cause and leaves nothing behind.
TEST(NewFile, ATemporaryFileThatCannotBeMarkedIsNotWritten)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString target = QDir(folder.path()).filePath(QStringLiteral("report.txt"));
    struct rlimit limit;
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &limit), 0);
    const int lowest = ::dup(0);
    ASSERT_GE(lowest, 0);
    ::close(lowest);
    // One descriptor more: the temporary file opens, its mark does not.
    struct rlimit tight = limit;
    tight.rlim_cur = rlim_t(lowest) + 1;
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &tight), 0);
    NewFile f(target);
    const bool opened = f.open();
    ::setrlimit(RLIMIT_NOFILE, &limit);
    EXPECT_FALSE(opened);
    EXPECT_EQ(f.errorString(), QStringLiteral("无法写入文件：") + target + QStringLiteral("（打开的文件太多）"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

} // namespace
