#include "entry/MainWindowHarness.h"
#include "support/AnotherProgram.h"
#include "support/ModalDialogs.h"
#include "support/OldRegistrations.h"
#include "support/ProgramFolder.h"
#include "support/SampleRegistrations.h"

#include "app/ProgramTargets.h"
#include "checks/CheckDataRun.h"
#include "checks/CheckReport.h"
#include "entry/EntryRecord.h"
#include "entry/FieldBox.h"
#include "entry/NavigateTree.h"
#include "entry/NavigateWindow.h"
#include "entry/NewTab.h"
#include "entry/NewTabControls.h"
#include "exchange/ExchangeFiles.h"
#include "exchange/ExchangeTables.h"
#include "exchange/ExchangeTargets.h"
#include "exchange/RegistrationExport.h"
#include "exchange/TableCopier.h"
#include "exchange/xml/XmlCallArguments.h"
#include "exchange/xml/tabxfer.h"
#include "exchange/xml/xmlimport.h"
#include "platform/Application.h"
#include "platform/Database.h"
#include "platform/FileCopy.h"
#include "platform/FileDialog.h"
#include "platform/NewFile.h"
#include "platform/PrinterService.h"
#include "platform/Prompt.h"
#include "platform/TextFile.h"
#include "printing/PrintRun.h"
#include "printing/PrintSurface.h"
#include "regions/RegionExport.h"
#include "shell/MAINBAS.h"
#include "upgrade/Deductions.h"
#include "upgrade/DjkDatabase.h"
#include "upgrade/Upgrade.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QProcessEnvironment>
#include <QThread>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace {

QApplication& application()
{
    return *static_cast<QApplication*>(QCoreApplication::instance());
}

// What a write run in a child process reported.
struct ChildRun
{
    bool exited = false;
    bool succeeded = false;
    QString failure;
};

// Runs `write` in a child process whose files cannot grow beyond `limit` bytes, as
// on a full disk, after the start-up of the programs (unless `write` makes it itself):
// it keeps the process alive through a write past the limit, which then fails.
ChildRun runWithFileSizeLimit(rlim_t limit, const std::function<Status()>& write, bool startedUp = true)
{
    // No thread lives on in the child: the threads of the pool that paints the
    // windows end first, so that the child's pool starts threads of its own.
    QThreadPool::globalInstance()->waitForDone();
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        if (startedUp) prepareApplication(application(), QStringLiteral("Quillet"));
        const rlimit small{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &small);
        const Status s = write();
        const QByteArray why = s ? QByteArray() : s.error().description.toUtf8();
        if (::write(pipeEnds[1], why.constData(), size_t(why.size())) < 0) ::_exit(2);
        ::_exit(s ? 0 : 1);
    }
    ::close(pipeEnds[1]);
    QByteArray why;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        why.append(buffer, n);
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    ChildRun run;
    run.exited = WIFEXITED(status) && WEXITSTATUS(status) < 2;
    run.succeeded = run.exited && WEXITSTATUS(status) == 0;
    run.failure = QString::fromUtf8(why);
    return run;
}

// fsync and close failing as on a disk that cannot take the last bytes (EIO); the
// failing close releases the descriptor all the same, as close(2) does.
int failingFsync(int)
{
    errno = EIO;
    return -1;
}
int failingClose(int fd)
{
    ::close(fd);
    errno = EIO;
    return -1;
}

Status fromBool(bool ok, const QString& why)
{
    if (ok) return Status::success();
    return Db::Error{-1, QStringLiteral("test"), why};
}

struct Writer
{
    const char* name;
    std::function<Status(const QString& target)> write;
    // What the failure says before the target, and after it on a full disk.
    QString lead = QStringLiteral("无法写入文件：");
    QString fullDisk = QStringLiteral("（文件超出大小限制）");
};

class WritersTest : public ProgramFolder
{
protected:
    void SetUp() override
    {
        ProgramFolder::SetUp();
        openWorkingDatabase();
        Db::Error e;
        ASSERT_TRUE(SampleRegistrations::fill(m_state.Cn(), {2, 7}, &e)) << e.description.toStdString();
        number = Db::scalar(m_state.Cn(), QStringLiteral("SELECT min(登记号) FROM 登记")).toString();
        writeFile(QStringLiteral("source.bin"), QByteArray(8000, 'x'));
        ASSERT_TRUE(QDir(dir()).mkdir(QStringLiteral("out")));
        ASSERT_TRUE(OldRegistrations::makeDatabase(templatePath(), path(QStringLiteral("old.mdb")), {}, &e))
            << e.description.toStdString();
        for (int i = 0; i < 200; ++i)
            lines << QStringLiteral("4110101082%1                    2110101082001").arg(i, 3, 10, QLatin1Char('0'));
    }

    // Every writer of a file of the two programs; each makes its file `target`.
    QList<Writer> writers() const
    {
        return {
            {"text file",
             [this](const QString& t) {
                 QString why;
                 return fromBool(TextFile::writeLines(t, lines, &why), why);
             }},
            {"error list", [this](const QString& t) { return Deductions::WriteTxt(t, lines); }},
            {"check report",
             [this](const QString& t) {
                 checks::CheckReport report(t, QStringLiteral("CheckReport"));
                 if (Status s = report.open(); !s) return s;
                 for (const QString& l : lines)
                     report.writeLine(l);
                 return report.commit();
             }},
            {"XML export",
             [this](const QString& t) {
                 auto args = XmlCallArguments::forExport(t, number);
                 return tabxfer::exporttoxml(args);
             }},
            {"file copy",
             [this](const QString& t) {
                 QString why;
                 return fromBool(FileCopy::copyFile(path(QStringLiteral("source.bin")), t, true, &why), why);
             }},
            {"registration export",
             [this](const QString& t) {
                 exchange::ExportRequest r;
                 r.workingDatabase = path(QStringLiteral("djk.mdb"));
                 r.templatePath = path(QStringLiteral("djk.sys"));
                 r.target = t;
                 r.wholeTables = true;
                 return exchange::exportRegistrations(r);
             }},
            {"region export",
             [this](const QString& t) {
                 regions::RegionExportRequest r;
                 r.templatePath = path(QStringLiteral("djk.sys"));
                 r.target = t;
                 return regions::exportRegion(m_state.Cn(), r);
             }},
            {"database copy",
             [this](const QString& t) {
                 // Larger than its page cache, as a working database of many registrations
                 // is: the copy spills pages and keeps a journal while it writes.
                 (void)Db::exec(m_state.Cn(), QStringLiteral("PRAGMA cache_size=10"));
                 return exchange::backupDatabase(m_state.Cn(), t);
             }},
            {"settings file",
             [](const QString& t) {
                 // A folder of a long name, so that the file exceeds the limit.
                 state().DBPath = QLatin1Char('/') + QString(600, QChar(0x6570));
                 state().DBName = QStringLiteral("djk.mdb");
                 const bool written = MAINBAS::Write_Djk_Ini(t);
                 return fromBool(written, Prompt::lastText());
             },
             QStringLiteral("设置文件无法写入：")},
            {"upgrade",
             [this](const QString& t) {
                 Module1 m;
                 m.sourcePath = path(QStringLiteral("old.mdb"));
                 m.desPath = t;
                 m.tableNames = DjkDatabase::initTableList();
                 const auto upgraded = Upgrade(m, dir()).doBusiness();
                 if (!upgraded) return Status(upgraded.error());
                 return Status::success();
             }},
            {"PDF file",
             [](const QString& t) {
                 PrintRun run({PrinterService::pdfPrinterName(), t});
                 PrintSurface* surface = run.surface();
                 if (!surface) return run.finish();
                 surface->beginDocument();
                 for (int i = 0; i < 40; ++i)
                     surface->printText(1440, 1440 + 300 * i, QStringLiteral("压覆登记第%1行").arg(i));
                 surface->endDocument();
                 return run.finish();
             }},
        };
    }

    // More registrations than the template's pages hold.
    void addRegistrations()
    {
        Db::Error e;
        ASSERT_TRUE(SampleRegistrations::fill(m_state.Cn(), {40, 11}, &e)) << e.description.toStdString();
    }

    static QByteArray bytes(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static QStringList files(const QString& folder)
    {
        QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        names.sort();
        return names;
    }
    Writer writer(const char* name) const
    {
        for (const Writer& w : writers())
            if (qstrcmp(w.name, name) == 0) return w;
        return {};
    }

    QString number;
    QStringList lines;
};

TEST_F(WritersTest, OnAFullDiskTheOldFileStaysAndTheFailureIsReported)
{
    const QString target = path(QStringLiteral("out/old.file"));
    for (const Writer& w : writers()) {
        SCOPED_TRACE(w.name);
        writeFile(QStringLiteral("out/old.file"), "the old file");
        const ChildRun run = runWithFileSizeLimit(1024, [&] { return w.write(target); });
        ASSERT_TRUE(run.exited);
        EXPECT_FALSE(run.succeeded);
        EXPECT_FALSE(run.failure.isEmpty());
        // The file and the cause, once.
        EXPECT_TRUE(run.failure.startsWith(w.lead + target)) << run.failure.toStdString();
        if (!w.fullDisk.isEmpty()) {
            EXPECT_EQ(run.failure, w.lead + target + w.fullDisk);
        }
        EXPECT_EQ(bytes(target), QByteArray("the old file"));
        // Nothing of the failed write is left beside it.
        EXPECT_EQ(files(path(QStringLiteral("out"))), QStringList({QStringLiteral("old.file")}));
    }
}

TEST_F(WritersTest, AFileFilledFromTheTemplateThatCannotGrowNamesTheTargetOnce)
{
    // The template's copy fits under the limit; the rows copied into it do not.
    const QString target = path(QStringLiteral("out/new.mdb"));
    const auto limit = rlim_t(QFileInfo(path(QStringLiteral("djk.sys"))).size() + 4096);
    addRegistrations();
    for (const char* name : {"upgrade", "registration export", "region export"}) {
        SCOPED_TRACE(name);
        const ChildRun run = runWithFileSizeLimit(limit, [&] { return writer(name).write(target); });
        ASSERT_TRUE(run.exited);
        EXPECT_FALSE(run.succeeded);
        EXPECT_EQ(run.failure, QStringLiteral("无法写入文件：%1（文件超出大小限制）").arg(target));
        EXPECT_EQ(files(path(QStringLiteral("out"))), QStringList());
    }
}

TEST_F(WritersTest, AnExportIntoAFullDatabaseNamesTheTargetAndAFullDisk)
{
    // The exports' fill, on a copy of the template that may take no page more than
    // it has: SQLite answers as on a full disk.
    const QString target = path(QStringLiteral("out/new.mdb"));
    addRegistrations();
    const Status filled = exchange::fillFromTemplate(
        path(QStringLiteral("djk.sys")), target, QStringLiteral("test"),
        [&](const QSqlDatabase& db) -> Status {
            const QString pages = Db::scalar(db, QStringLiteral("PRAGMA page_count")).toString();
            Db::exec(db, QStringLiteral("PRAGMA max_page_count=") + pages);
            exchange::AttachedDatabase source(db, path(QStringLiteral("djk.mdb")), QStringLiteral("src"));
            Db::TransactionGuard transaction(db);
            for (const QString& table : exchange::overlayTables()) {
                exchange::TableCopy copy;
                copy.table = table;
                if (const auto copied = exchange::copyTable(db, copy); !copied) return copied.error();
            }
            Db::Error error;
            if (!transaction.commit(&error)) return error;
            return Status::success();
        });
    ASSERT_FALSE(filled.ok());
    EXPECT_EQ(filled.error().description, QStringLiteral("无法写入文件：%1（磁盘空间不足）").arg(target));
    EXPECT_EQ(files(path(QStringLiteral("out"))), QStringList());
}

TEST_F(WritersTest, TheSecondDataCheckNamesItsWorkCopyWhenTheCopyCannotGrow)
{
    Db::Error e;
    const QString checked = path(QStringLiteral("big.mdb"));
    ASSERT_TRUE(SampleRegistrations::makeDatabase(templatePath(), checked, {300}, &e))
        << e.description.toStdString();
    const QString work = checks::CheckDataRun::workPath(dir());
    // The first write of the copy fails; then a copy of the template that fits under
    // the limit, with the registrations copied into it that do not.
    const rlim_t templateSize = rlim_t(QFileInfo(path(QStringLiteral("djk.sys"))).size());
    for (const rlim_t limit : {rlim_t(1024), templateSize + 4096}) {
        SCOPED_TRACE(limit);
        const ChildRun run = runWithFileSizeLimit(limit, [&] {
            checks::CheckGroups groups;
            groups.required = true;
            const auto checkedRun = checks::CheckDataRun(dir(), checked).run(groups);
            return checkedRun ? Status::success() : Status(checkedRun.error());
        });
        ASSERT_TRUE(run.exited);
        EXPECT_FALSE(run.succeeded);
        EXPECT_EQ(run.failure, QStringLiteral("无法写入文件：%1（文件超出大小限制）").arg(work));
        EXPECT_FALSE(QFileInfo::exists(checks::CheckDataRun::reportPath(checked)));
    }
}

TEST_F(WritersTest, WhenTheLastBytesCannotBeWrittenThroughTheOldFileStays)
{
    const QString target = path(QStringLiteral("out/old.file"));
    const struct
    {
        const char* call;
        NewFile::DiskCall fsyncWith, closeWith;
    } faults[] = {{"fsync", failingFsync, nullptr}, {"close", nullptr, failingClose}};
    for (const auto& fault : faults) {
        NewFile::setDiskCalls(fault.fsyncWith, fault.closeWith);
        for (const Writer& w : writers()) {
            SCOPED_TRACE(std::string(fault.call) + " fails: " + w.name);
            writeFile(QStringLiteral("out/old.file"), "the old file");
            const Status written = w.write(target);
            ASSERT_FALSE(written.ok());
            EXPECT_EQ(written.error().description, w.lead + target + QStringLiteral("（读写磁盘时出错）"));
            EXPECT_EQ(bytes(target), QByteArray("the old file"));
            EXPECT_EQ(files(path(QStringLiteral("out"))), QStringList({QStringLiteral("old.file")}));
        }
    }
    NewFile::setDiskCalls(nullptr, nullptr);
}

TEST_F(WritersTest, ATargetNameOf250BytesIsWritten)
{
    // 82 Chinese characters of three bytes each and ".pdf": 250 bytes.
    const QString name = QString(82, QChar(0x538B)) + QStringLiteral(".pdf");
    ASSERT_EQ(QFile::encodeName(name).size(), 250);
    const QString target = path(QStringLiteral("out/") + name);
    for (const Writer& w : writers()) {
        SCOPED_TRACE(w.name);
        const Status written = w.write(target);
        EXPECT_TRUE(written.ok()) << written.error().description.toStdString();
        EXPECT_EQ(files(path(QStringLiteral("out"))), QStringList({name}));
        QFile::remove(target);
    }
    // A folder that is not there, or a file where a folder should be: the failure
    // names the target and the cause in the clerk's words.
    writeFile(QStringLiteral("a.file"), "a file");
    const QList<QPair<QString, QString>> refused{
        {path(QStringLiteral("gone/") + name), QStringLiteral("文件夹不存在")},
        {path(QStringLiteral("a.file/") + name), QStringLiteral("路径中有一项是文件而不是文件夹")}};
    for (const Writer& w : writers()) {
        SCOPED_TRACE(w.name);
        for (const auto& [nowhere, cause] : refused) {
            const Status written = w.write(nowhere);
            ASSERT_FALSE(written.ok());
            EXPECT_EQ(written.error().description, QStringLiteral("%1%2（%3）").arg(w.lead, nowhere, cause));
        }
    }
}

TEST_F(WritersTest, TemporaryFilesThatNoRunningProgramWritesAreRemovedByTheNextWrite)
{
    const QString target = path(QStringLiteral("out/new.mdb"));
    // A killed run's temporary database and its side files (its own, or those of the
    // file it replaced, moved beside it): its lock went with it. Side files whose
    // database is gone.
    const QString killed = QStringLiteral(".orvane-Kil1ed.tmp"), gone = QStringLiteral(".orvane-Gone00.tmp");
    writeFile(QStringLiteral("out/") + killed, "left behind");
    for (const QString& suffix : {QStringLiteral("-journal"), QStringLiteral("-wal"), QStringLiteral("-shm")})
        for (const QString& name : {killed, gone})
            writeFile(QStringLiteral("out/") + name + suffix, "left behind");
    // One this run is writing, and one another running program is writing.
    const QString running = QFileInfo(NewFile::makeTemporary(target)).fileName();
    AnotherProgram another;
    const QString written = another.write(path(QStringLiteral("out/x.mdb")));
    ASSERT_TRUE(written.startsWith(QStringLiteral("ok "))) << written.toStdString();
    const QString other = QFileInfo(written.mid(3)).fileName();
    // Another running program's working database that bears the name of a temporary file.
    const QString theirs = QStringLiteral(".orvane-Their0.tmp");
    copyTemplate(QStringLiteral("out/") + theirs);
    ASSERT_EQ(another.open(path(QStringLiteral("out/") + theirs)), QStringLiteral("ok"));
    // A database in use that bears the name of a temporary file, and a like name of another program's.
    const QString inUse = QStringLiteral(".orvane-InUse0.tmp");
    copyTemplate(QStringLiteral("out/") + inUse);
    const Db::ScopedConnection working(QStringLiteral("in-use"), path(QStringLiteral("out/") + inUse),
                                       Db::OpenMode::ReadWrite);
    ASSERT_TRUE(working.ok());
    writeFile(QStringLiteral("out/.new.mdb.Ab12Cd"), "another program's");

    ASSERT_TRUE(writer("registration export").write(target).ok());
    QStringList left = {QStringLiteral(".new.mdb.Ab12Cd"), running, other, theirs, inUse, QStringLiteral("new.mdb")};
    left.sort();
    EXPECT_EQ(files(path(QStringLiteral("out"))), left);
}

TEST_F(WritersTest, TheProgramStartedUnderAFileSizeLimitSaysWhyItCannotMakeItsDatabase)
{
    // A fresh program folder: the start makes the working database from the template,
    // which is larger than the limit.
    QTemporaryDir fresh;
    ASSERT_TRUE(QFile::copy(templatePath(), fresh.filePath(QStringLiteral("djk.sys"))));
    const QString database = fresh.filePath(QStringLiteral("djk.mdb"));
    const ChildRun run = runWithFileSizeLimit(
        64 * 1024,
        [&] {
            // Should the start get as far as the main window, its events end at once.
            QTimer::singleShot(0, &application(), &QCoreApplication::quit);
            runProgram(application(), fresh.path());
            return fromBool(false, Prompt::lastText());
        },
        false);
    ASSERT_TRUE(run.exited) << "the program ended by a signal";
    EXPECT_TRUE(run.failure.endsWith(QStringLiteral("\r无法写入文件：%1（文件超出大小限制）").arg(database)))
        << run.failure.toStdString();
    EXPECT_EQ(files(fresh.path()), QStringList({QStringLiteral("djk.sys")}));
}

TEST(ProgramStart, QtsFirstWritesPastTheFileSizeLimitEndNeitherProgramBySignal)
{
    // Without a platform to show windows on, QApplication says why on stderr and
    // ends the program by abort(): the first write of each program, made before
    // QApplication is there.
    QByteArrayList environment;
    for (const QString& entry : QProcessEnvironment::systemEnvironment().toStringList())
        if (!entry.startsWith(QStringLiteral("QT_QPA_PLATFORM="))) environment << QFile::encodeName(entry);
    environment << "QT_QPA_PLATFORM=none-such";
    std::vector<char*> envp;
    for (QByteArray& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray output = QFile::encodeName(dir.filePath(QStringLiteral("output")));
    for (const char* program : {ORVANE_PROGRAM, QUILLET_PROGRAM}) {
        SCOPED_TRACE(program);
        const pid_t child = ::fork();
        if (child == 0) {
            // Its output goes into a file that can take nothing, as a shell starts it.
            const int fd = ::open(output.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            if (fd < 0 || ::dup2(fd, STDOUT_FILENO) < 0 || ::dup2(fd, STDERR_FILENO) < 0) ::_exit(126);
            const rlimit none{0, 0};
            if (::setrlimit(RLIMIT_FSIZE, &none) != 0 || ::setrlimit(RLIMIT_CORE, &none) != 0) ::_exit(126);
            std::signal(SIGXFSZ, SIG_DFL);
            char* const argv[] = {const_cast<char*>(program), nullptr};
            ::execve(program, argv, envp.data());
            ::_exit(127);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "exited with " << WEXITSTATUS(status);
        EXPECT_EQ(WTERMSIG(status), SIGABRT) << "ended by the signal " << WTERMSIG(status);
    }
}

// The working database as the clerk writes it through the windows.
class WorkingDatabaseWritesTest : public WritersTest, protected MainWindowHarness
{
protected:
    void SetUp() override
    {
        WritersTest::SetUp();
        NewTab::Register(targets);
        EntryRecord::Register(targets);
        NAVIGATE::Register(targets);
        exchange::registerTargets(targets);
        // What the checks before a save refuse is not tried here.
        CommandTargets::EntryHooks hooks = targets.entry();
        hooks.Check_Before_Save = [] { return true; };
        targets.setEntryHooks(hooks);
        showMainWindow();
    }
    void TearDown() override
    {
        closeMainWindow();
        WritersTest::TearDown();
    }

    // Clicks the registration `djh` in the entry window's list.
    static void load(const QString& djh)
    {
        NavigateTree* list = controlsOf(NewTab::instance()).TvmDataList();
        for (const QModelIndex& node : NAVIGATE::Tree_Nodes(list)) {
            if (node.data().toString() != djh) continue;
            list->setCurrentIndex(node);
            Q_EMIT list->clicked(node);
        }
    }
};

TEST_F(WorkingDatabaseWritesTest, AWriteTheDiskRefusesNamesTheDatabaseAndLosesNothing)
{
    const QString database = path(QStringLiteral("djk.mdb"));
    const QString other = Db::scalar(m_state.Cn(), QStringLiteral("SELECT max(登记号) FROM 登记")).toString();
    // Where the first page of the table 报告 begins, which a save rewrites.
    const auto reports = rlim_t(
        Db::scalar(m_state.Cn(), QStringLiteral("SELECT rootpage - 1 FROM sqlite_master WHERE name = '报告'"))
            .toLongLong() *
        Db::scalar(m_state.Cn(), QStringLiteral("PRAGMA page_size")).toLongLong());
    // Registrations to import: a database of them, and one of them in an XML file.
    Db::Error e;
    const QString more = path(QStringLiteral("more.mdb"));
    ASSERT_TRUE(SampleRegistrations::makeDatabase(templatePath(), more, {40, 11}, &e))
        << e.description.toStdString();
    const QString xml = path(QStringLiteral("one.xml"));
    {
        Db::ScopedConnection source(QStringLiteral("more"), more, Db::OpenMode::ReadOnly);
        auto args = XmlCallArguments::forExport(
            xml, Db::scalar(source.db(), QStringLiteral("SELECT max(登记号) FROM 登记")).toString());
        args.connection = source.name();
        ASSERT_TRUE(tabxfer::exporttoxml(args).ok());
    }
    const struct
    {
        const char* name;
        rlim_t limit; // the size no file may grow beyond
        int failures; // the messages that say so
        std::function<void()> write;
    } cases[] = {
        // The journal of the save can be written, but not the pages of 报告 and of the
        // tables after it: what the save changed there can be neither written nor put
        // back, and until it can, the next save, the next registration loaded and the
        // next list fail as well.
        {"save, then save, load and navigate", reports, 4,
         [&] {
             openEntry();
             load(number);
             controlsOf(NewTab::instance()).Kn2Data(8)->setText(QStringLiteral("改过的项目"));
             main->Toolbar_ButtonClick(QStringLiteral("SAVE"));
             main->Toolbar_ButtonClick(QStringLiteral("SAVE"));
             load(other);
             QComboBox* mode = controlsOf(NewTab::instance()).cobNavigate();
             mode->setCurrentIndex(mode->findText(QStringLiteral("矿山-->登记号")));
             Q_EMIT mode->activated(mode->currentIndex());
         }},
        // The backup before the import fits, the registrations imported do not.
        {"import by number", rlim_t(QFileInfo(database).size()), 1,
         [&] {
             FileDialog::setNextFileName(more);
             ModalDialogs::withDialog([&] { main->MENU_DATA_Click(4); },
                                      [](QWidget* d) {
                                          ModalDialogs::click(d, QStringLiteral("Command4"));
                                          ModalDialogs::click(d, QStringLiteral("Command1_2"));
                                          ModalDialogs::click(d, QStringLiteral("Command2_0"));
                                      });
         }},
        // Not even the journal of the change can be written.
        {"XML import", 1024, 1,
         [&] {
             xmlimport dialog;
             dialog.findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(xml);
             ModalDialogs::click(&dialog, QStringLiteral("Command2_0"));
         }},
        {"delete by number", 1024, 1,
         [&] {
             ModalDialogs::withDialog(
                 [&] { main->MENU_ELSE_Click(7); },
                 [](QWidget* d) {
                     d->findChild<QListWidget*>(QStringLiteral("List1_0"))->item(0)->setSelected(true);
                     ModalDialogs::click(d, QStringLiteral("Command1_0"));
                     ModalDialogs::click(d, QStringLiteral("CommandDelete"));
                 });
         }},
    };
    const QString said =
        QStringLiteral("无法写入文件：%1（文件超出大小限制）").arg(QDir::toNativeSeparators(database));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray before = bytes(database);
        const ChildRun run = runWithFileSizeLimit(c.limit, [&] {
            Prompt::clear();
            c.write();
            // The messages, not the questions.
            QStringList messages;
            for (const Prompt::Shown& shown : Prompt::shown())
                if (shown.buttons == Prompt::Buttons::Ok) messages << shown.text;
            return fromBool(false, messages.join(QStringLiteral("\n\n")));
        });
        ASSERT_TRUE(run.exited);
        const QStringList messages = run.failure.split(QStringLiteral("\n\n"), Qt::SkipEmptyParts);
        EXPECT_EQ(messages.size(), c.failures) << run.failure.toStdString();
        for (const QString& m : messages)
            EXPECT_TRUE(m.endsWith(said)) << m.toStdString();
        // Opened again, the file holds what it held.
        {
            Db::ScopedConnection again(QStringLiteral("again"), database, Db::OpenMode::ReadWrite);
            ASSERT_TRUE(again.ok()) << again.error().description.toStdString();
            EXPECT_TRUE(Db::checkIntegrity(again.db()));
        }
        EXPECT_EQ(bytes(database), before);
    }
}

} // namespace
