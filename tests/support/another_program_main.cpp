// Another running program for the tests of what one program sees of another's
// files: it reads a command a line from its input and answers a line.

#include "platform/Database.h"
#include "platform/NewFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

#include <fcntl.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString connection = QStringLiteral("another");
    std::unique_ptr<NewFile> writing;
    std::string line;
    while (std::getline(std::cin, line)) {
        const QString text = QString::fromStdString(line);
        const QString command = text.section(QLatin1Char(' '), 0, 0);
        const QString argument = text.section(QLatin1Char(' '), 1);
        QString answer = QStringLiteral("ok");
        Db::Error e;
        if (command == QLatin1String("open")) {
            if (!Db::open(connection, argument, Db::OpenMode::ReadWrite, &e)) answer = "failed " + e.description;
        } else if (command == QLatin1String("begin")) {
            Db::exec(Db::connection(connection), QStringLiteral("PRAGMA busy_timeout=0"));
            if (!Db::exec(Db::connection(connection), QStringLiteral("BEGIN IMMEDIATE"), {}, &e))
                answer = "failed " + e.description;
        } else if (command == QLatin1String("change")) {
            const QSqlDatabase db = Db::connection(connection);
            // A small page cache makes the change spill into the file before its commit.
            const bool changed =
                Db::exec(db, QStringLiteral("PRAGMA cache_size=10")) &&
                Db::exec(db, QStringLiteral("BEGIN IMMEDIATE"), {}, &e) &&
                Db::exec(db, QStringLiteral("CREATE TABLE 半途 (x BLOB)"), {}, &e) &&
                Db::exec(db,
                         QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                                        "WHERE i < 400) INSERT INTO 半途 SELECT randomblob(2000) FROM n"),
                         {}, &e) &&
                Db::exec(db, QStringLiteral("UPDATE 登记 SET 登记号 = 'X' || 登记号"), {}, &e);
            if (!changed) answer = "failed " + e.description;
        } else if (command == QLatin1String("write")) {
            writing = std::make_unique<NewFile>(argument);
            if (!writing->open() || !writing->write("being written")) answer = "failed " + writing->errorString();
            else {
                const QString temporary = writing->release();
                answer = temporary.isEmpty() ? "failed " + writing->errorString() : "ok " + temporary;
            }
        } else if (command == QLatin1String("share")) {
            // SQLite's shared lock as its unix files take it: a read lock on the 510
            // bytes two past the pending byte at 1 GiB.
            const int fd = ::open(QFile::encodeName(argument).constData(), O_RDONLY | O_CLOEXEC);
            struct flock shared = {};
            shared.l_type = F_RDLCK;
            shared.l_whence = SEEK_SET;
            shared.l_start = 0x40000002;
            shared.l_len = 510;
            if (fd < 0 || ::fcntl(fd, F_SETLK, &shared) != 0) answer = QStringLiteral("failed unlocked");
        } else if (command == QLatin1String("peek")) {
            QFile f(argument);
            if (!f.open(QIODevice::ReadOnly)) answer = QStringLiteral("failed unreadable");
            f.read(16);
        } else {
            answer = QStringLiteral("failed unknown command");
        }
        std::cout << answer.toStdString() << std::endl;
    }
    return 0;
}
