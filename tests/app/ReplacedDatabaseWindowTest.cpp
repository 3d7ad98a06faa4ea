// A database the windows put in place over another whose writer was killed in the
// middle of a change: the old file's journal goes with the old file, and the new
// file is sound with every row.

#include "support/AnotherProgram.h"
#include "support/ModalDialogs.h"
#include "support/OldRegistrations.h"
#include "support/ProgramFolder.h"
#include "support/SampleRegistrations.h"

#include "exchange/DataExport.h"
#include "exchange/DataImport.h"
#include "platform/Database.h"
#include "platform/FilePaths.h"
#include "platform/Prompt.h"
#include "regions/DataExportXzq.h"
#include "upgrade/ui/Frm_Main.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

#include <functional>
#include <memory>

namespace {

using ModalDialogs::click;

int registrations(const QString& file)
{
    Db::ScopedConnection c(QStringLiteral("count"), file, Db::OpenMode::ReadOnly);
    return c.ok() ? Db::scalar(c.db(), QStringLiteral("SELECT count(*) FROM 登记")).toInt() : -1;
}

class ReplacedDatabaseWindowTest : public ProgramFolder
{
protected:
    void SetUp() override
    {
        ProgramFolder::SetUp();
        ASSERT_TRUE(QDir(dir()).mkpath(QStringLiteral("out")));
        Db::Error e;
        ASSERT_TRUE(SampleRegistrations::makeDatabase(templatePath(), path("source.mdb"), {3}, &e))
            << e.description.toStdString();
        for (const char* name : {"old.mdb", "late.mdb"})
            ASSERT_TRUE(OldRegistrations::makeDatabase(templatePath(), path(name), {2}, &e))
                << e.description.toStdString();
        ASSERT_TRUE(QFile::copy(path("source.mdb"), path("djk.mdb")));
        QFile::setPermissions(path("djk.mdb"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        ASSERT_TRUE(Db::open(QStringLiteral("Cn"), path("djk.mdb"), Db::OpenMode::ReadWrite));
        m_state.CnName = QStringLiteral("Cn");
        m_state.DBPath = dir();
        m_state.DBName = QStringLiteral("djk.mdb");
        m_state.ProvinceCode = 510000;
        m_state.Cur_DJH = Db::scalar(m_state.Cn(), "SELECT min(登记号) FROM 登记").toString();
    }

    void TearDown() override
    {
        Db::close(QStringLiteral("Cn"));
        ProgramFolder::TearDown();
    }

    // An older database at `target` that a program writing it left in the middle of
    // a change when it was killed: its hot journal is beside it.
    void leaveKilledWriter(const QString& target)
    {
        QFile::remove(target);
        ASSERT_TRUE(QFile::copy(path("source.mdb"), target));
        QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        AnotherProgram writer;
        ASSERT_EQ(writer.open(target), QStringLiteral("ok"));
        ASSERT_EQ(writer.change(), QStringLiteral("ok"));
        writer.kill();
        ASSERT_TRUE(QFileInfo::exists(target + QStringLiteral("-journal")));
    }
};

} // namespace

TEST_F(ReplacedDatabaseWindowTest, ADatabasePutOverOneWithAKilledWritersJournalIsSoundWithEveryRow)
{
    const auto upgrade = [&](const QString& target, const QString& late, const QString& lateTarget) {
        Frm_Main w(dir());
        for (const auto& [box, text] : {std::pair{"txtSource", path("old.mdb")},
                                        {"txtDesSource", target},
                                        {"txtRepairSource", late},
                                        {"txtRepairDesPath", lateTarget}})
            w.findChild<QLineEdit*>(box)->setText(text);
        click(&w, "cmdStart");
    };
    const int working = registrations(path("djk.mdb"));
    const struct
    {
        const char* name;
        QString target;
        std::function<void(const QString& target)> run;
        int rows; // the registrations the new file holds
    } rows[] = {
        {"export by number", path("out/导出.mdb"),
         [&](const QString& target) {
             DataExport d;
             d.findChild<QLineEdit*>("Text1")->setText(target);
             click(&d, "Command1_2");
             click(&d, "Command2_0");
         },
         working},
        {"region export", path("out/导出.mdb"),
         [&](const QString& target) {
             DataExportXzq d;
             d.findChild<QLineEdit*>("Text1")->setText(target);
             click(&d, "Command2_0");
         },
         working},
        {"the import's backup", path("DATABASE_BAKUP.MDB"),
         [&](const QString&) {
             DataImport d;
             auto* text1 = d.findChild<QLineEdit*>("Text1");
             text1->setText(path("source.mdb"));
             QMetaObject::invokeMethod(text1, "returnPressed");
             d.findChild<QPushButton*>("Command1_2")->click();
             click(&d, "Command2_0");
         },
         working},
        {"Quillet: its target", path("out/新库.mdb"),
         [&](const QString& target) { upgrade(target, {}, {}); }, registrations(path("old.mdb"))},
        {"Quillet: the late registrations' target", path("out/补办新库.mdb"),
         [&](const QString& target) { upgrade(path("out/新库.mdb"), path("late.mdb"), target); },
         registrations(path("late.mdb"))},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        leaveKilledWriter(row.target);
        row.run(row.target);
        for (const QString& suffix : FilePaths::sideFileSuffixes())
            EXPECT_FALSE(QFileInfo::exists(row.target + suffix))
                << suffix.toStdString() << Prompt::shownTexts().join(" | ").toStdString();
        {
            Db::ScopedConnection made(QStringLiteral("made"), row.target, Db::OpenMode::ReadWrite);
            Db::Error e = made.error();
            EXPECT_TRUE(made.ok() && Db::checkIntegrity(made.db(), &e)) << e.description.toStdString();
        }
        EXPECT_EQ(registrations(row.target), row.rows) << Prompt::shownTexts().join(" | ").toStdString();
        Prompt::clear();
    }
}

// The file an import read is let go when the import ends: the clerk may export over it.
TEST_F(ReplacedDatabaseWindowTest, AFileImportedFromMayBeExportedOverInTheSameSession)
{
    const QString source = path("other.mdb");
    Db::Error e;
    ASSERT_TRUE(SampleRegistrations::makeDatabase(templatePath(), source, {2, 7}, &e))
        << e.description.toStdString();
    {
        DataImport d;
        auto* text1 = d.findChild<QLineEdit*>("Text1");
        text1->setText(source);
        QMetaObject::invokeMethod(text1, "returnPressed");
        d.findChild<QPushButton*>("Command1_2")->click();
        click(&d, "Command2_0");
    }
    ASSERT_EQ(Prompt::lastText().toStdString(), "数据导入完成！") << Prompt::shownTexts().join(" | ").toStdString();
    {
        DataExport d;
        d.findChild<QLineEdit*>("Text1")->setText(source);
        click(&d, "Command1_2");
        click(&d, "Command2_0");
    }
    EXPECT_EQ(Prompt::lastText().toStdString(), "数据导出完成！") << Prompt::shownTexts().join(" | ").toStdString();
    EXPECT_EQ(registrations(source), registrations(path("djk.mdb")));
}
