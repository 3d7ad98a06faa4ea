#include "platform/FilePaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

// Paths are taken in a folder of links and files; "~/" stands for the folder.
TEST(SameFile, ComparesRealPathsThroughLinksDotsAndMissingFiles)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QDir d(folder.path());
    ASSERT_TRUE(d.mkpath(QStringLiteral("sub/deeper")));
    for (const char* name : {"djk.mdb", "other.mdb", "sub/djk.mdb"}) {
        QFile f(d.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(name);
    }
    const auto at = [&](const QString& name) { return QFile::encodeName(d.filePath(name)); };
    ASSERT_EQ(::symlink("djk.mdb", at(QStringLiteral("link.mdb")).constData()), 0);
    ASSERT_EQ(::symlink("new.pdf", at(QStringLiteral("pending.pdf")).constData()), 0); // not there yet
    ASSERT_EQ(::symlink("sub/deeper", at(QStringLiteral("down")).constData()), 0);
    ASSERT_EQ(::symlink("loop", at(QStringLiteral("loop")).constData()), 0);
    ASSERT_EQ(::link(at(QStringLiteral("djk.mdb")).constData(), at(QStringLiteral("hard.mdb")).constData()),
              0);

    const struct
    {
        const char* a;
        const char* b;
        bool same;
    } cases[] = {
        {"~/djk.mdb", "~/djk.mdb", true},
        {"~/link.mdb", "~/djk.mdb", true},        // a link to the file
        {"~/hard.mdb", "~/djk.mdb", true},        // a second name of the file
        {"~/gone/../djk.mdb", "~/djk.mdb", true}, // ".." after a folder that is not there
        {"~/./sub/../djk.mdb", "~/djk.mdb", true},
        {"djk.mdb", "~/djk.mdb", true},               // relative to the current folder
        {"~/pending.pdf", "~/new.pdf", true},         // a link to a file not made yet
        {"~/down/../djk.mdb", "~/sub/djk.mdb", true}, // ".." after a link leaves its target
        {"~/down/../djk.mdb", "~/djk.mdb", false},
        {"~/other.mdb", "~/djk.mdb", false},
        {"~/new.pdf", "~/djk.mdb", false},
        {"~/loop", "~/loop", false}, // a loop of links names nothing
        {"", "", false},
    };
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    for (const auto& c : cases) {
        const auto path = [&](const char* p) {
            return QString::fromUtf8(p).replace(QStringLiteral("~/"), folder.path() + QLatin1Char('/'));
        };
        EXPECT_EQ(FilePaths::sameFile(path(c.a), path(c.b)), c.same) << c.a << " / " << c.b;
        EXPECT_EQ(FilePaths::sameFile(path(c.b), path(c.a)), c.same) << c.b << " / " << c.a;
    }
    QDir::setCurrent(previous);
}

} // namespace
