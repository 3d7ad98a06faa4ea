// What the clerk's windows write or remove never takes the place of the working
// database or the template, whatever path reaches it.

#include "support/FakeMainWindow.h"
#include "support/ModalDialogs.h"
#include "support/OldRegistrations.h"
#include "support/ProgramFolder.h"
#include "support/SampleRegistrations.h"

#include "checks/DataCheck.h"
#include "checks/FrmCheckData.h"
#include "exchange/DataExport.h"
#include "exchange/DataImport.h"
#include "exchange/DataImportAll.h"
#include "exchange/xml/DataXmlExport.h"
#include "platform/Database.h"
#include "platform/FileDialog.h"
#include "platform/PrinterService.h"
#include "platform/Prompt.h"
#include "printing/FrmPrintSelect.h"
#include "regions/DataExportXzq.h"
#include "regions/DataImportXzq.h"
#include "shell/FrmPara.h"
#include "upgrade/ui/Frm_Main.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>
#include <ctime>
#include <functional>
#include <memory>

#include <sys/time.h>
#include <unistd.h>

namespace {

using ModalDialogs::click;

// How the path the program writes reaches the file it must leave alone.
enum class Way { SamePath, Symlink, HardLink, DotDot };
const char* const wayNames[] = {"same path", "symlink", "hard link", "path with .."};

// The file that must stay: the working database, or the template.
enum class Keeps { Working, Template };

struct Row
{
    const char* name;
    Keeps keeps;
    // Working: where the working database is put (in the program folder unless told);
    // Template: the name in out/ of the link the clerk chooses.
    QString file;
    // Runs the operation from its window, naming `target` where the clerk names a file.
    std::function<void(const QString& target)> run;
    // What was said last when the write goes ahead; empty when it is refused.
    QString done = {};
    QList<Way> ways = {Way::SamePath, Way::Symlink, Way::HardLink, Way::DotDot};
};

// What the gate and the windows' own earlier checks say when they refuse.
const QStringList refusals = {"不能改写或删除文件：",
                              "当前数据库就是导入前备份用的文件：",
                              "不能导出到当前数据库文件或模板文件",
                              "不能输出到当前数据库文件或模板文件",
                              "不能选择模板数据库作为",
                              "不能选择升级用到的数据库作为错误列表文件"};

QByteArray bytes(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

int registrations(const QSqlDatabase& db)
{
    return Db::scalar(db, QStringLiteral("SELECT count(*) FROM 登记")).toInt();
}

class FileGateWindowTest : public ProgramFolder
{
protected:
    void SetUp() override
    {
        ProgramFolder::SetUp();
        for (const char* folder : {"sub", "elsewhere", "source/sub", "out/sub"})
            ASSERT_TRUE(QDir(dir()).mkpath(QString::fromUtf8(folder)));
        Db::Error e;
        ASSERT_TRUE(SampleRegistrations::makeDatabase(templatePath(), seed(), {3}, &e))
            << e.description.toStdString();
        ASSERT_TRUE(OldRegistrations::makeDatabase(templatePath(), path("source/old.mdb"), {2}, &e))
            << e.description.toStdString();
        ASSERT_TRUE(OldRegistrations::makeDatabase(templatePath(), path("source/late.mdb"), {2}, &e))
            << e.description.toStdString();
        // A deduction from a registration that is nowhere: the upgrade offers its error list.
        copyTemplate("source/faulty.mdb");
        runSql(path("source/faulty.mdb"), {"INSERT INTO 资源储量 (登记号, 原登记号, 显示序号) VALUES "
                                           "('4110101082001', '2110101082001', 101)"});
        ASSERT_TRUE(OldRegistrations::toOldStructure(path("source/faulty.mdb"), "1.40", &e))
            << e.description.toStdString();
        Db::ScopedConnection s("seed", seed(), Db::OpenMode::ReadOnly);
        count = registrations(s.db());
        ASSERT_GT(count, 0);
        m_state.Cur_DJH = Db::scalar(s.db(), "SELECT min(登记号) FROM 登记").toString();
        m_state.ProvinceCode = 510000;
        m_state.PrinterCount = 1;
    }

    // The database the windows check, import and upgrade; the working database is a copy.
    QString seed() const { return path("source/来源.mdb"); }

    // Opens a copy of the seed held in `real` as the working database, by the name `opened`.
    void openWorking(const QString& real, const QString& opened)
    {
        QFile::remove(real);
        ASSERT_TRUE(QFile::copy(seed(), real));
        QFile::setPermissions(real, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        const QString name = QStringLiteral("GateCn%1").arg(++serial);
        ASSERT_TRUE(Db::open(name, opened, Db::OpenMode::ReadWrite)) << opened.toStdString();
        Db::close(m_state.CnName);
        m_state.CnName = name;
        m_state.DBPath = QFileInfo(opened).path();
        m_state.DBName = QFileInfo(opened).fileName();
        working = real;
    }

    // Puts the file the row keeps where `way` lets `target` reach it, opens the
    // working database, and answers the file kept.
    QString place(const Row& row, Way way, QString* target)
    {
        const auto link = [&](const QString& file, const QString& name) {
            const QByteArray from = QFile::encodeName(file), to = QFile::encodeName(name);
            EXPECT_EQ(way == Way::Symlink ? ::symlink(from, to) : ::link(from, to), 0) << name.toStdString();
        };
        if (row.keeps == Keeps::Template) {
            openWorking(path("djk.mdb"), path("djk.mdb"));
            const QString templ = path("djk.sys");
            *target = way == Way::SamePath ? templ
                      : way == Way::DotDot ? path("sub/../djk.sys")
                                           : path("out/" + row.file);
            if (way == Way::Symlink || way == Way::HardLink) link(templ, *target);
            return templ;
        }
        *target = path(row.file);
        const QFileInfo at(*target);
        switch (way) {
        case Way::SamePath:
            openWorking(*target, *target);
            return *target;
        case Way::DotDot:
            openWorking(*target, at.path() + "/sub/../" + at.fileName());
            return *target;
        default: {
            const QString real = path(QStringLiteral("elsewhere/%1.mdb").arg(serial));
            openWorking(real, real);
            link(real, *target);
            return real;
        }
        }
    }

    void cleanUp(const Row& row, const QString& target)
    {
        Db::close(m_state.CnName);
        m_state.CnName.clear();
        QFile::remove(working);
        // Each case starts from the same files, whatever the one before did.
        if (row.keeps == Keeps::Working)
            QFile::remove(target);
        else
            copyTemplate("djk.sys");
        QDir out(path("out"));
        ASSERT_TRUE(out.removeRecursively());
        ASSERT_TRUE(out.mkpath("sub"));
        Prompt::clear();
        FileDialog::clear();
    }

    // The first data check of the seed, from its window.
    void runFirstCheck()
    {
        DataCheck d;
        d.findChild<QLineEdit*>("Text1")->setText(seed());
        click(&d, "Command2_0");
    }

    // The second data check of the seed: the window checks the database the program
    // names when it opens, here another one than the working database.
    void runSecondCheck()
    {
        const QString folder = m_state.DBPath, name = m_state.DBName;
        m_state.DBPath = QFileInfo(seed()).path();
        m_state.DBName = QFileInfo(seed()).fileName();
        FrmCheckData d;
        m_state.DBPath = folder;
        m_state.DBName = name;
        d.findChild<QCheckBox*>("Check1")->setChecked(true);
        click(&d, "Command2_0");
    }

    int count = 0;
    int serial = 0;
    QString working;
};

} // namespace

// Each window's writes with the working database (or the template) where it
// writes, reached by the same path, a link, another name of the file and a path
// with "..": nothing of it changes, the clerk is told why, and the working
// database still opens with its rows.
TEST_F(FileGateWindowTest, NoWindowWritesOverOrRemovesTheWorkingDatabaseOrTheTemplate)
{
    const auto firstCheck = [&](const QString&) { runFirstCheck(); };
    const auto secondCheck = [&](const QString&) { runSecondCheck(); };
    const auto import = [&](const std::function<QDialog*()>& open) {
        return [&, open](const QString&) {
            const std::unique_ptr<QDialog> d(open());
            auto* text1 = d->findChild<QLineEdit*>("Text1");
            text1->setText(seed());
            QMetaObject::invokeMethod(text1, "returnPressed");
            if (auto* chooseAll = d->findChild<QPushButton*>("Command1_2")) chooseAll->click();
            click(d.get(), "Command2_0");
        };
    };
    const auto exportByNumber = [&](const QString& target) {
        DataExport d;
        d.findChild<QLineEdit*>("Text1")->setText(target);
        click(&d, "Command1_2");
        click(&d, "Command2_0");
    };
    const auto regionExport = [&](const QString& target) {
        DataExportXzq d;
        d.findChild<QLineEdit*>("Text1")->setText(target);
        click(&d, "Command2_0");
    };
    const auto xmlExport = [&](const QString& target) {
        DataXmlExport d;
        d.findChild<QLineEdit*>("Text1")->setText(target);
        d.findChild<QListWidget*>("List1_0")->item(0)->setSelected(true);
        click(&d, "Command1_0");
        click(&d, "Command2_0");
    };
    const auto printToPdf = [&](const QString& target) {
        FrmPrintSelect d;
        auto* printers = d.findChild<QComboBox*>("cboPrinter");
        printers->setCurrentIndex(printers->findData(PrinterService::pdfPrinterName()));
        FileDialog::setNextFileName(target);
        click(&d, "Command1_0");
    };
    const auto upgrade = [&](const QString& source, const QString& target, const QString& late,
                             const QString& lateTarget, const QString& errorList) {
        Frm_Main w(dir());
        for (const auto& [box, text] : {std::pair{"txtSource", source},
                                        {"txtDesSource", target},
                                        {"txtRepairSource", late},
                                        {"txtRepairDesPath", lateTarget}})
            w.findChild<QLineEdit*>(box)->setText(text);
        if (!errorList.isEmpty()) FileDialog::setNextFileName(errorList);
        click(&w, "cmdStart");
    };
    const QString old = path("source/old.mdb"), newFile = path("out/new.mdb");
    const QList<Way> linksOnly = {Way::Symlink, Way::HardLink};

    const Row rows[] = {
        {"first data check: its report", Keeps::Working, "数据检查结果.txt", firstCheck},
        {"second data check: its work copy", Keeps::Working, "临时.mdb", secondCheck},
        {"second data check: its work copy's journal", Keeps::Working, "临时.mdb-journal", secondCheck},
        {"second data check: its work copy's -wal", Keeps::Working, "临时.mdb-wal", secondCheck},
        {"second data check: its work copy's -shm", Keeps::Working, "临时.mdb-shm", secondCheck},
        {"second data check: its report", Keeps::Working, "source/来源.Txt", secondCheck},
        {"import by number: the backup", Keeps::Working, "DATABASE_BAKUP.MDB",
         import([] { return new DataImport; })},
        {"append import: the backup", Keeps::Working, "DATABASE_BAKUP.MDB",
         import([] { return new DataImportAll; })},
        {"region import: the backup", Keeps::Working, "DATABASE_BAKUP.MDB",
         import([] { return new DataImportXzq; })},
        // An hour old, by a name of the program's temporary files, in the folder of the export.
        {"export by number: the sweep of stale temporary files", Keeps::Working, "out/.orvane-AbCd12.tmp",
         [&](const QString& target) {
             const timeval twoHoursAgo{std::time(nullptr) - 7200, 0};
             const timeval times[] = {twoHoursAgo, twoHoursAgo};
             ASSERT_EQ(::utimes(QFile::encodeName(target).constData(), times), 0);
             exportByNumber(path("out/导出.mdb"));
         },
         "数据导出完成！"},
        {"export by number", Keeps::Working, "out/导出.mdb", exportByNumber},
        {"export by number", Keeps::Template, "导出.mdb", exportByNumber},
        {"region export", Keeps::Working, "out/导出.mdb", regionExport},
        {"region export", Keeps::Template, "导出.mdb", regionExport},
        {"XML export", Keeps::Working, "out/导出.xml", xmlExport},
        {"XML export", Keeps::Template, "导出.xml", xmlExport},
        {"printing to a PDF file", Keeps::Working, "out/登记表.pdf", printToPdf},
        // The dialog gives a name without ".pdf" the suffix: only a link of that
        // name reaches the template.
        {"printing to a PDF file", Keeps::Template, "登记表.pdf", printToPdf, {}, linksOnly},
        {"Quillet: its target", Keeps::Template, "新库.mdb",
         [&](const QString& target) { upgrade(old, target, {}, {}, {}); }},
        {"Quillet: the late registrations' target", Keeps::Template, "补办新库.mdb",
         [&](const QString& target) { upgrade(old, newFile, path("source/late.mdb"), target, {}); }},
        {"Quillet: its error list", Keeps::Template, "错误列表.txt",
         [&](const QString& target) { upgrade(path("source/faulty.mdb"), newFile, {}, {}, target); }},
    };
    for (const Row& row : rows) {
        for (const Way way : row.ways) {
            SCOPED_TRACE(std::string(row.name) + (row.keeps == Keeps::Template ? " = the template" : "") +
                         ", by " + wayNames[int(way)]);
            QString target;
            const QString kept = place(row, way, &target);
            const QByteArray before = bytes(kept);
            row.run(target);
            EXPECT_TRUE(bytes(kept) == before) << "changed: " << kept.toStdString();
            EXPECT_TRUE(bytes(target) == before) << "changed: " << target.toStdString();
            const QStringList said = Prompt::shownTexts();
            if (row.done.isEmpty())
                EXPECT_TRUE(std::any_of(said.begin(), said.end(), [](const QString& text) {
                    return std::any_of(refusals.begin(), refusals.end(),
                                       [&](const QString& refusal) { return text.contains(refusal); });
                })) << said.join(" | ").toStdString();
            else
                EXPECT_EQ(said.value(said.size() - 1), row.done) << said.join(" | ").toStdString();
            EXPECT_EQ(registrations(m_state.Cn()), count);
            {
                Db::ScopedConnection again("again", working, Db::OpenMode::ReadOnly);
                EXPECT_TRUE(again.ok() && registrations(again.db()) == count) << working.toStdString();
            }
            cleanUp(row, target);
        }
    }
}

// A file the windows write as text (the settings, the two checks' reports, Quillet's
// error list) is never written over a database that the program does not have open:
// the one just left by a switch, or any other. The file stays as it was and the
// clerk is told why.
TEST_F(FileGateWindowTest, NoTextFileTakesThePlaceOfADatabase)
{
    FakeMainWindow mainWindow;
    mainWindow.install();
    const QString other = path("other.mdb");
    // From the working database to another; `byDefault` ticks 默认.
    const auto switchAway = [&](bool byDefault) {
        return [&, byDefault] {
            FrmPara d;
            FileDialog::setNextFileName(other);
            d.Command3_Click();
            d.Check1->setChecked(byDefault);
            d.Command2_Click(0);
        };
    };
    const struct
    {
        const char* name;
        QString file; // the database where the text file is written
        bool working; // the working database until the run switches away from it
        std::function<void()> run;
    } rows[] = {
        {"the statistics settings on a switch", "tjk.ini", true, switchAway(false)},
        {"the default database's settings on a switch with 默认", "djk.ini", true, switchAway(true)},
        {"the first data check's report", "数据检查结果.txt", false,
         [&] { runFirstCheck(); }},
        {"the second data check's report", "source/来源.Txt", false,
         [&] { runSecondCheck(); }},
        {"Quillet's error list", "out/错误列表.txt", false,
         [&] {
             Frm_Main w(dir());
             w.findChild<QLineEdit*>("txtSource")->setText(path("source/faulty.mdb"));
             w.findChild<QLineEdit*>("txtDesSource")->setText(path("out/new.mdb"));
             FileDialog::setNextFileName(path("out/错误列表.txt"));
             click(&w, "cmdStart");
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString file = path(row.file);
        ASSERT_TRUE(QFile::copy(seed(), other));
        if (row.working) {
            openWorking(file, file);
        } else {
            ASSERT_TRUE(QFile::copy(seed(), file));
            openWorking(path("djk.mdb"), path("djk.mdb"));
        }
        const QByteArray before = bytes(file);
        row.run();
        EXPECT_TRUE(bytes(file) == before) << "changed: " << file.toStdString();
        const QString refusal =
            "不能改写文件：" + QDir::toNativeSeparators(file) + "\r它是一个数据库文件，不能写成文本文件。";
        const QStringList said = Prompt::shownTexts();
        EXPECT_TRUE(std::any_of(said.begin(), said.end(), [&](const QString& text) {
            return text.contains(refusal);
        })) << said.join(" | ").toStdString();
        Db::close(m_state.CnName);
        m_state.CnName.clear();
        for (const QString& made : {file, other, path("djk.mdb"), path("djk.ini"), path("tjk.ini")})
            QFile::remove(made);
        Prompt::clear();
        FileDialog::clear();
    }
}
