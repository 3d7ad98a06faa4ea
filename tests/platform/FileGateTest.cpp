#include "platform/Database.h"
#include "platform/FileGate.h"
#include "platform/NewFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <functional>
#include <optional>

#include <gtest/gtest.h>

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
         QString why;
         return FileGate::remove(target, &why) ? QString() : why;
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

} // namespace
