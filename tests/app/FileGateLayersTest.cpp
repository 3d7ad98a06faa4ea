// What the windows call to write a file never takes the place of the working
// database or the template, when no window has looked at the target first; and the
// starts of both programs tell the gate which file is the template and give their
// windows the program's icon.

#include "support/OldRegistrations.h"
#include "support/ProgramFolder.h"
#include "support/SampleRegistrations.h"

#include "app/ProgramTargets.h"
#include "checks/CheckDataRun.h"
#include "checks/DataCheckRun.h"
#include "exchange/ExchangeFiles.h"
#include "exchange/RegistrationExport.h"
#include "exchange/xml/XmlCallArguments.h"
#include "exchange/xml/tabxfer.h"
#include "platform/Application.h"
#include "platform/Database.h"
#include "platform/FileGate.h"
#include "platform/PrinterService.h"
#include "platform/ProgramIcon.h"
#include "printing/PrintRun.h"
#include "printing/PrintSurface.h"
#include "regions/RegionExport.h"
#include "upgrade/Deductions.h"
#include "upgrade/DjkDatabase.h"
#include "upgrade/Upgrade.h"
#include "upgrade/ui/Frm_Main.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QMessageBox>
#include <QTimer>

#include <functional>
#include <ostream>

#include <unistd.h>

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace {

// How the target reaches the file that must stay.
enum class Way { SamePath, Symlink, HardLink };
const char* const wayNames[] = {"same path", "symlink", "hard link"};

struct Writer
{
    const char* name;
    // The target's name in out/: some writers choose it themselves.
    QString file;
    std::function<Status(const QString& target)> write;
};

QByteArray bytes(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QString gateRefusal(const QString& file, bool templ)
{
    return QStringLiteral("不能改写或删除文件：") + QDir::toNativeSeparators(file) + QLatin1Char('\r') +
           (templ ? QStringLiteral("它是程序的数据库模板文件。") : QStringLiteral("它是程序正在使用的数据库文件。"));
}

class FileGateLayersTest : public ProgramFolder
{
protected:
    void SetUp() override
    {
        ProgramFolder::SetUp();
        for (const char* folder : {"source", "elsewhere", "out"})
            ASSERT_TRUE(QDir(dir()).mkpath(QString::fromUtf8(folder)));
        Db::Error e;
        ASSERT_TRUE(SampleRegistrations::makeDatabase(templatePath(), seed(), {3}, &e))
            << e.description.toStdString();
        for (const char* old : {"source/old.mdb", "source/late.mdb"}) {
            ASSERT_TRUE(OldRegistrations::makeDatabase(templatePath(), path(old), {2}, &e)) << old;
        }
        copyTemplate("source/模板.sys");
        Db::ScopedConnection s("seed", seed(), Db::OpenMode::ReadOnly);
        number = Db::scalar(s.db(), "SELECT min(登记号) FROM 登记").toString();
        ASSERT_FALSE(number.isEmpty());
    }

    // The database the writers read when they are told which one they read.
    QString seed() const { return path("source/来源.mdb"); }

    // Opens a copy of the seed at `file` as the working database.
    void openWorking(const QString& file)
    {
        QFile::remove(file);
        ASSERT_TRUE(QFile::copy(seed(), file));
        QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        const QString name = QStringLiteral("LayersCn%1").arg(++serial);
        ASSERT_TRUE(Db::open(name, file, Db::OpenMode::ReadWrite)) << file.toStdString();
        Db::close(m_state.CnName);
        m_state.CnName = name;
        m_state.DBPath = QFileInfo(file).path();
        m_state.DBName = QFileInfo(file).fileName();
    }

    // Puts the file kept (the working database, or the template) at `target` or
    // elsewhere with `target` a link to it, and answers it.
    QString place(bool templ, Way way, const QString& target)
    {
        const QString kept = way == Way::SamePath ? target : path(QStringLiteral("elsewhere/%1").arg(serial));
        if (templ) {
            copyTemplate(kept);
            FileGate::setTemplate(kept);
            openWorking(path("djk.mdb"));
        } else {
            openWorking(kept);
        }
        const QByteArray from = QFile::encodeName(kept), to = QFile::encodeName(target);
        if (way != Way::SamePath) {
            EXPECT_EQ(way == Way::Symlink ? ::symlink(from, to) : ::link(from, to), 0);
        }
        return kept;
    }

    void cleanUp()
    {
        Db::close(m_state.CnName);
        m_state.CnName.clear();
        FileGate::setTemplate(path("djk.sys"));
        for (const char* folder : {"out", "elsewhere"}) {
            QDir d(path(folder));
            ASSERT_TRUE(d.removeRecursively());
            ASSERT_TRUE(d.mkpath("."));
        }
        QFile::remove(path("djk.mdb"));
    }

    QString number;
    int serial = 0;
};

} // namespace

// Each writer the windows call, with the working database or the template where it
// writes, by the same path and by a link. Each is told of another database and
// template than the file kept, so that what it compares itself lets the target
// through: only the gate stands in the way. It says so, and the file kept is as it was.
TEST_F(FileGateLayersTest, EveryWriterBelowTheWindowsIsStoppedByTheGate)
{
    Db::ScopedConnection read("read", seed(), Db::OpenMode::ReadOnly);
    ASSERT_TRUE(read.ok());
    const auto upgrade = [&](const QString& target, const QString& lateTarget) {
        Module1 m;
        m.sourcePath = path("source/old.mdb");
        m.desPath = target;
        m.isRepair = !lateTarget.isEmpty();
        if (m.isRepair) {
            m.repairSourcePath = path("source/late.mdb");
            m.repairDesPath = lateTarget;
        }
        m.tableNames = DjkDatabase::initTableList();
        const auto upgraded = Upgrade(m, dir()).doBusiness();
        return upgraded ? Status::success() : Status(upgraded.error());
    };
    const Writer writers[] = {
        {"export by number", "导出.mdb",
         [&](const QString& target) {
             exchange::ExportRequest r;
             r.workingDatabase = seed();
             r.templatePath = path("source/模板.sys");
             r.target = target;
             r.wholeTables = true;
             r.provinceCode = 510000;
             return exchange::exportRegistrations(r);
         }},
        {"region export", "导出.mdb",
         [&](const QString& target) {
             regions::RegionExportRequest r;
             r.templatePath = path("source/模板.sys");
             r.target = target;
             r.provinceCode = 510000;
             return regions::exportRegion(read.db(), r);
         }},
        {"XML export", "导出.xml",
         [&](const QString& target) {
             auto args = XmlCallArguments::forExport(target, number);
             return tabxfer::exporttoxml(args);
         }},
        {"printing to a PDF file", "登记表.pdf",
         [](const QString& target) {
             PrintRun run({PrinterService::pdfPrinterName(), target, QStringLiteral("登记表")});
             if (PrintSurface* surface = run.surface()) {
                 surface->beginDocument();
                 surface->printText(1440, 1440, QStringLiteral("压覆登记"));
                 surface->endDocument();
             }
             return run.finish();
         }},
        {"first data check: its report", "数据检查结果.txt",
         [&](const QString& target) {
             const auto checked = checks::DataCheckRun(read.db()).run(seed(), target);
             return checked ? Status::success() : Status(checked.error());
         }},
        // The report is the checked file's name ending in "Txt".
        {"second data check: its report", "来源.Txt",
         [&](const QString& target) {
             const QString checked = target.chopped(3) + QStringLiteral("mdb");
             EXPECT_TRUE(QFile::copy(seed(), checked));
             const auto run = checks::CheckDataRun(dir(), checked).run({true, true, true});
             return run ? Status::success() : Status(run.error());
         }},
        // The work copy is 临时.mdb in the program folder given, beside its template.
        {"second data check: its work copy", "临时.mdb",
         [&](const QString& target) {
             const QString folder = QFileInfo(target).path();
             copyTemplate(folder + "/djk.sys");
             const auto run = checks::CheckDataRun(folder, seed()).run({true, true, true});
             return run ? Status::success() : Status(run.error());
         }},
        {"the backup before an import", "DATABASE_BAKUP.MDB",
         [&](const QString& target) { return exchange::backupDatabase(m_state.Cn(), target); }},
        {"Quillet: its target", "新库.mdb", [&](const QString& target) { return upgrade(target, {}); }},
        {"Quillet: the late registrations' target", "补办新库.mdb",
         [&](const QString& target) { return upgrade(path("out/new.mdb"), target); }},
        {"Quillet: its error list", "错误列表.txt",
         [](const QString& target) {
             return Deductions::WriteTxt(target, {QStringLiteral("4110101082001  2110101082001")});
         }},
    };
    for (const Writer& w : writers) {
        for (const bool templ : {false, true}) {
            for (const Way way : {Way::SamePath, Way::Symlink, Way::HardLink}) {
                SCOPED_TRACE(std::string(w.name) + (templ ? ": the template" : ": the working database") +
                             ", by " + wayNames[int(way)]);
                const QString target = path("out/" + w.file);
                const QString kept = place(templ, way, target);
                const QByteArray before = bytes(kept);
                const Status written = w.write(target);
                const QString said = written ? QStringLiteral("<written>") : written.error().description;
                EXPECT_TRUE(said.contains(gateRefusal(target, templ))) << said.toStdString();
                EXPECT_TRUE(bytes(kept) == before) << "changed: " << kept.toStdString();
                EXPECT_TRUE(bytes(target) == before) << "changed: " << target.toStdString();
                cleanUp();
            }
        }
    }
}

// The gate knows the template from each program's own start, not from this fixture;
// and each start gives dialogs, and windows without an icon of their own, the
// program's icon, not Qt's.
TEST_F(FileGateLayersTest, EachProgramsStartTellsTheGateItsTemplateAndGivesItsWindowsTheProgramsIcon)
{
    const QString templ = path("djk.sys");
    const QString link = path("out/模板链接.sys");
    ASSERT_EQ(::symlink(QFile::encodeName(templ).constData(), QFile::encodeName(link).constData()), 0);
    qint64 quilletWindowIcon = 0;
    const std::function<void()> starts[] = {
        [&] {
            // The main window's events end as soon as they begin.
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
            runProgram(*qApp, dir());
        },
        [&] {
            // As its main() starts it.
            prepareApplication(*qApp, QStringLiteral("Quillet"));
            Frm_Main window(dir());
            quilletWindowIcon = window.windowIcon().cacheKey();
        },
    };
    const char* const names[] = {"Orvane", "Quillet"};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(names[i]);
        FileGate::setTemplate(QString());
        QApplication::setWindowIcon(QIcon());
        ASSERT_EQ(FileGate::refusal(templ), QString());
        starts[i]();
        for (const QString& file : {templ, link})
            EXPECT_EQ(FileGate::refusal(file), gateRefusal(file, true));
        EXPECT_EQ(QMessageBox().windowIcon().cacheKey(), programIcon().cacheKey());
        Db::close(m_state.CnName);
        m_state.CnName.clear();
    }
    EXPECT_EQ(quilletWindowIcon, programIcon().cacheKey());
}
