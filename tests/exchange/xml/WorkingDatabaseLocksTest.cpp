#include "XmlFixture.h"

#include "exchange/xml/XmlCallArguments.h"
#include "exchange/xml/tabxfer.h"
#include "platform/FileDialog.h"
#include "shell/MAINBAS.h"
#include "shell/myvbs.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QTimer>
#include <QWidget>

#include <functional>

#include <unistd.h>

namespace {

class WorkingDatabaseLocksTest : public XmlFixture
{
};

// Whether another process gets a change into `file` within a short wait.
bool anotherWriterGetsIn(const QString& file)
{
    QProcess other;
    other.start(QStringLiteral("sqlite3"), {QStringLiteral("-bail"), QStringLiteral("-cmd"),
                                            QStringLiteral(".timeout 100"), file,
                                            QStringLiteral("BEGIN IMMEDIATE; CREATE TABLE 闯入 (x); DROP TABLE 闯入; COMMIT;")});
    return other.waitForFinished() && other.exitStatus() == QProcess::NormalExit && other.exitCode() == 0;
}

// Asking about the working database, or listing its folder, under its own name or
// another (one whose kind its name does not tell), lets go none of SQLite's locks on
// it: a read or a write of this program keeps another writer out.
TEST_F(WorkingDatabaseLocksTest, AskingAboutItUnderAnyNameKeepsAnotherWriterOut)
{
    const QString working = MAINBAS::Database_File();
    ASSERT_TRUE(QFile::link(working, path(QStringLiteral("link"))));
    ASSERT_EQ(::link(QFile::encodeName(working).constData(),
                     QFile::encodeName(path(QStringLiteral("hard"))).constData()),
              0);
    // Held by nothing, the file takes the other program's change.
    ASSERT_TRUE(anotherWriterGetsIn(working));
    const std::pair<const char*, std::function<void(const QString&)>> callers[] = {
        {"FileExist", [](const QString& name) { EXPECT_TRUE(myvbs::FileExist(name)); }},
        {"file dialog",
         [](const QString& name) {
             FileDialog::setTestMode(false);
             QTimer::singleShot(1000, [] {
                 if (QWidget* shown = QApplication::activeModalWidget()) shown->close();
             });
             FileDialog::getOpenFileName(nullptr, QString(), name, QString());
             FileDialog::setTestMode(true);
         }},
        {"XML import",
         [](const QString& name) {
             tabxfer::ImportArguments args = XmlCallArguments::forImport(name);
             EXPECT_FALSE(tabxfer::xmlimport(args, [](int, int) {}));
         }},
    };
    const std::pair<const char*, QString> transactions[] = {
        {"reading", QStringLiteral("BEGIN; SELECT count(*) FROM 登记")},
        {"writing", QStringLiteral("BEGIN IMMEDIATE")},
    };
    for (const auto& [transaction, begin] : transactions)
        for (const auto& [caller, ask] : callers)
            for (const QString& name : {working, path(QStringLiteral("link")), path(QStringLiteral("hard"))}) {
                SCOPED_TRACE(std::string(caller) + " while " + transaction + ", " + name.toStdString());
                for (const QString& statement : begin.split(QStringLiteral("; ")))
                    exec(statement);
                ask(name);
                EXPECT_FALSE(anotherWriterGetsIn(working));
                exec(QStringLiteral("ROLLBACK"));
            }
}

} // namespace
