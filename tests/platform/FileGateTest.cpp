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

// The database open under a connection (as the working database), its journal, the
// template and a file a run reads are neither replaced nor removed, by whatever
// path they are named; another file is, and the database once it is closed.
TEST(FileGate, NoFileInUseIsReplacedOrRemovedByAnyPath)
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
    ASSERT_TRUE(d.mkpath(QStringLiteral("sub")));
    ASSERT_TRUE(d.mkpath(QStringLiteral("real")));
    make("djk.sys", "template");
    make("read.mdb", "read");
    // The working database lies behind a link, as the clerk may have chosen it.
    make("real/djk.mdb", QByteArray());
    ASSERT_EQ(::symlink("real/djk.mdb", QFile::encodeName(at("link.mdb")).constData()), 0);
    ASSERT_TRUE(Db::open(QStringLiteral("gate"), at("link.mdb"), Db::OpenMode::ReadWrite));
    ASSERT_TRUE(Db::exec(Db::connection(QStringLiteral("gate")), QStringLiteral("CREATE TABLE t (x)")));
    make("real/djk.mdb-journal", "journal");
    ASSERT_EQ(::link(QFile::encodeName(at("real/djk.mdb")).constData(), QFile::encodeName(at("hard.mdb")).constData()),
              0);
    ASSERT_EQ(::symlink("djk.sys", QFile::encodeName(at("link.sys")).constData()), 0);
    FileGate::setTemplate(at("djk.sys"));
    std::optional<FileGate::Reading> reading(std::in_place, at("read.mdb"));

    const char* protectedNames[] = {"link.mdb", "real/djk.mdb", "hard.mdb", "sub/../real/djk.mdb",
                                    "real/djk.mdb-journal", "link.mdb-wal", "real/djk.mdb-shm",
                                    "djk.sys", "link.sys", "sub/../djk.sys", "read.mdb"};
    const char* kept[] = {"real/djk.mdb", "real/djk.mdb-journal", "djk.sys", "read.mdb"};
    QList<QByteArray> before;
    for (const char* name : kept)
        before << hashOf(at(name));
    for (const Operation& op : operations) {
        for (const char* name : protectedNames) {
            SCOPED_TRACE(std::string(op.name) + " on " + name);
            const QString target = at(name);
            const QString said = op.run(target);
            EXPECT_TRUE(said.startsWith(QStringLiteral("不能改写或删除文件：") + target + QLatin1Char('\r')))
                << said.toStdString();
        }
    }
    for (int i = 0; i < int(std::size(kept)); ++i)
        EXPECT_EQ(hashOf(at(kept[i])), before[i]) << kept[i];
    EXPECT_FALSE(QFileInfo::exists(at("real/djk.mdb-wal")));
    EXPECT_FALSE(QFileInfo::exists(at("real/djk.mdb-shm")));
    // Nothing was left behind: no temporary file of a refused write.
    EXPECT_EQ(d.entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral(".orvane-")), QStringList());

    // A file of no use to the program is written, and so are the others once let go.
    Db::close(QStringLiteral("gate"));
    FileGate::setTemplate(QString());
    reading.reset();
    for (const Operation& op : operations) {
        SCOPED_TRACE(op.name);
        for (const char* name : {"other.txt", "sub/../real/djk.mdb", "link.sys", "read.mdb"}) {
            make(name, "old");
            EXPECT_EQ(op.run(at(name)), QString()) << name;
        }
    }
}

} // namespace
