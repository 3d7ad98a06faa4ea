// Printing to a printer of the system: a CUPS server of the test's own (its
// configuration, spool and socket in a temporary folder) with cups-pdf queues, driven
// through the single print dialog as a clerk prints.
#include "PrintFixture.h"

#include "platform/FileDialog.h"
#include "platform/PrinterService.h"
#include "platform/Prompt.h"
#include "printing/FrmPrintMany.h"
#include "printing/FrmPrintSelect.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

#include <functional>
#include <memory>
#include <utility>

#include <cups/cups.h>
#include <grp.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

const QString Cupsd = QStringLiteral("/usr/sbin/cupsd");
const QString CupsPdfBackend = QStringLiteral("/usr/lib/cups/backend/cups-pdf");
const QString CupsPdfPpd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");
// cups-pdf reads the settings of queue NAME from here, whatever server runs it.
const QString CupsPdfConfig = QStringLiteral("/etc/cups/cups-pdf-%1.conf");

bool waitFor(const std::function<bool()>& done, int seconds)
{
    QDeadlineTimer deadline(seconds * 1000);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QThread::msleep(100);
    }
    return true;
}

QString run(const QString& program, const QStringList& args, bool* ok = nullptr)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    const bool ran = p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (ok) *ok = ran;
    return QString::fromLocal8Bit(p.readAll());
}

// The cups-pdf driver with only A5 paper and no paper of the user's own: a printer
// that cannot take A4.
QString a5OnlyPpd()
{
    QFile f(CupsPdfPpd);
    if (!f.open(QIODevice::ReadOnly)) return {};
    QString ppd = QString::fromLatin1(f.readAll());
    using RE = QRegularExpression;
    ppd.remove(RE(QStringLiteral("^\\*CustomPageSize True:.*?^\\*End\\n"),
                  RE::MultilineOption | RE::DotMatchesEverythingOption));
    ppd.remove(RE(QStringLiteral("^(.*CustomPageSize.*|\\*(PageSize|PageRegion|ImageableArea|PaperDimension) "
                                 "(?!A5/).*)\\n"),
                  RE::MultilineOption));
    ppd.replace(RE(QStringLiteral("^(\\*Default\\w+): A4$"), RE::MultilineOption), QStringLiteral("\\1: A5"));
    return ppd.replace(QStringLiteral("*VariablePaperSize: True"), QStringLiteral("*VariablePaperSize: False"));
}

struct Job
{
    int id = 0;
    QString title;
    ipp_jstate_t state = IPP_JSTATE_PENDING;
};

// The jobs of `queue` the server knows, the ended ones included.
QList<Job> jobsOf(const QString& queue)
{
    cups_job_t* jobs = nullptr;
    const int n = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.toUtf8().constData(), 0, CUPS_WHICHJOBS_ALL);
    QList<Job> out;
    for (int i = 0; i < n; ++i)
        out.append({jobs[i].id, QString::fromUtf8(jobs[i].title), jobs[i].state});
    cupsFreeJobs(n, jobs);
    return out;
}

// The one job of `queue` after job `after`, once it has completed. Fails at once
// when there is none, or when it ended otherwise or waits held: only a job under
// way is waited for.
testing::AssertionResult jobDone(const QString& queue, int after, Job& done)
{
    const QDeadlineTimer deadline(120000);
    for (;;) {
        QList<Job> jobs = jobsOf(queue);
        jobs.removeIf([after](const Job& j) { return j.id <= after; });
        if (jobs.size() != 1) return testing::AssertionFailure() << jobs.size() << " new jobs in the queue";
        done = jobs.first();
        if (done.state == IPP_JSTATE_COMPLETED) return testing::AssertionSuccess();
        if (done.state != IPP_JSTATE_PENDING && done.state != IPP_JSTATE_PROCESSING)
            return testing::AssertionFailure() << "job " << done.id << " ended in state " << done.state;
        if (deadline.hasExpired())
            return testing::AssertionFailure() << "job " << done.id << " still under way after 120 s";
        QThread::msleep(100);
    }
}

class OwnCups
{
public:
    explicit OwnCups(const QString& base) : m_base(base) {}
    ~OwnCups()
    {
        if (m_cupsd.state() != QProcess::NotRunning) {
            m_cupsd.terminate();
            if (!m_cupsd.waitForFinished(10000)) m_cupsd.kill();
            m_cupsd.waitForFinished(5000);
        }
        for (const QString& queue : m_queues)
            QFile::remove(CupsPdfConfig.arg(queue));
    }

    // Why no server can run here; empty when one can.
    static QString missing()
    {
        if (!QFile::exists(Cupsd) || !QFile::exists(CupsPdfBackend) || !QFile::exists(CupsPdfPpd))
            return QStringLiteral("cupsd or cups-pdf is not installed (packages cups, printer-driver-cups-pdf)");
        if (geteuid() != 0)
            return QStringLiteral("the cups-pdf backend runs only as root, and reads its queue settings "
                                  "from /etc/cups, which only root can write");
        if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
            return QStringLiteral("pdfinfo is not installed (package poppler-utils)");
        return {};
    }

    QString socket() const { return m_base + QStringLiteral("/cups.sock"); }
    QString outDir() const { return m_base + QStringLiteral("/out"); }

    // Starts cupsd on a socket of its own; the filters run as lp, so the folders
    // they pass through are open to lp.
    QString start()
    {
        QDir base(m_base);
        for (const char* d : {"etc", "spool", "cache", "state", "log", "tmp", "out"})
            base.mkpath(QString::fromLatin1(d));
        const group* lp = getgrnam("lp");
        if (!lp) return QStringLiteral("no group lp");
        const QByteArray spool = QFile::encodeName(m_base + QStringLiteral("/spool"));
        if (chown(spool.constData(), 0, lp->gr_gid) != 0) return QStringLiteral("cannot give the spool to lp");
        using P = QFileDevice::Permission;
        const auto open = P::ReadOwner | P::WriteOwner | P::ExeOwner | P::ReadGroup | P::ExeGroup |
                          P::ReadOther | P::ExeOther;
        QFile::setPermissions(m_base, open);
        QFile::setPermissions(m_base + QStringLiteral("/spool"), P::ReadOwner | P::WriteOwner | P::ExeOwner |
                                                                     P::ExeGroup);
        for (const char* d : {"/tmp", "/out"}) {
            const QByteArray path = QFile::encodeName(m_base + QString::fromLatin1(d));
            chmod(path.constData(), 01777);
        }
        const QString conf = m_base + QStringLiteral("/etc/cupsd.conf");
        const QString files = m_base + QStringLiteral("/etc/cups-files.conf");
        write(conf, QStringLiteral("Listen %1\nBrowsing No\nDefaultAuthType None\nWebInterface No\n"
                                   "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                                   "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n"
                                   "</Policy>\n")
                        .arg(socket()));
        write(files, QStringLiteral("ServerRoot %1/etc\nRequestRoot %1/spool\nCacheDir %1/cache\n"
                                    "StateDir %1/state\nTempDir %1/tmp\nErrorLog %1/log/error_log\n"
                                    "AccessLog %1/log/access_log\nPageLog %1/log/page_log\n")
                         .arg(m_base));
        m_cupsd.setProcessChannelMode(QProcess::MergedChannels);
        m_cupsd.start(Cupsd, {QStringLiteral("-f"), QStringLiteral("-c"), conf, QStringLiteral("-s"), files});
        if (!m_cupsd.waitForStarted(10000)) return QStringLiteral("cupsd does not start");
        if (!waitFor([&] { return QFile::exists(socket()) || m_cupsd.state() == QProcess::NotRunning; }, 30) ||
            m_cupsd.state() == QProcess::NotRunning)
            return QStringLiteral("cupsd stopped: ") + QString::fromLocal8Bit(m_cupsd.readAll());
        return {};
    }

    // A cups-pdf queue that writes its PDF files into outDir(). Empty when added.
    QString addQueue(const QString& name, const QString& ppd)
    {
        write(CupsPdfConfig.arg(name), QStringLiteral("Out %1\nAnonDirName %1\nUserUMask 0000\n").arg(outDir()));
        m_queues << name;
        bool ok = false;
        const QString said =
            run(QStringLiteral("lpadmin"), {QStringLiteral("-h"), socket(), QStringLiteral("-p"), name,
                                            QStringLiteral("-E"), QStringLiteral("-v"),
                                            QStringLiteral("cups-pdf:/") + name, QStringLiteral("-P"), ppd},
                &ok);
        return ok ? QString() : said;
    }

    // Runs a CUPS command on the queue, e.g. cupsreject with its reason.
    void command(const QString& tool, const QString& queue, const QStringList& options = {})
    {
        bool ok = false;
        const QString said =
            run(tool, QStringList{QStringLiteral("-h"), socket()} + options + QStringList{queue}, &ok);
        EXPECT_TRUE(ok) << tool.toStdString() << ": " << said.toStdString();
    }

    QStringList pdfFiles() const { return QDir(outDir()).entryList({QStringLiteral("*.pdf")}, QDir::Files); }

    static void write(const QString& file, const QString& text)
    {
        QFile f(file);
        if (f.open(QIODevice::WriteOnly)) f.write(text.toUtf8());
    }

private:
    QString m_base;
    QProcess m_cupsd;
    QStringList m_queues;
};

} // namespace

class CupsPrint : public PrintFixture
{
protected:
    void SetUp() override
    {
        PrintFixture::SetUp();
        if (const QString why = OwnCups::missing(); !why.isEmpty()) GTEST_SKIP() << why.toStdString();
        ASSERT_TRUE(m_base.isValid());
        m_cups = std::make_unique<OwnCups>(m_base.path());
        const QString failed = m_cups->start();
        ASSERT_TRUE(failed.isEmpty()) << failed.toStdString();
        // Every printer call of this process goes to that server (the printer
        // library keeps the first server it talks to).
        qputenv("CUPS_SERVER", QFile::encodeName(m_cups->socket()));
        m_state.PrinterCount = 1;
        Prompt::clear();
        // A registration whose form fits its four pages (no continuation sheet).
        exec(QStringLiteral("INSERT INTO 登记 (登记号, 填表日期) VALUES (?, '2008年5月')"), {Djh});
        exec(QStringLiteral("INSERT INTO 压覆 (登记号, 建设单位, 压覆性质) VALUES (?, '某某高速公路建设指挥部', "
                            "'全部压覆')"),
             {Djh});
    }
    void TearDown() override
    {
        m_cups.reset();
        PrintFixture::TearDown();
    }

    // Chooses the queue in the single print dialog and prints every page.
    void printTo(const QString& queue)
    {
        FrmPrintSelect dialog;
        auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("cboPrinter"));
        ASSERT_TRUE(printers);
        const int i = printers->findData(queue);
        ASSERT_GE(i, 0) << queue.toStdString() << " is not listed";
        printers->setCurrentIndex(i);
        dialog.findChild<QPushButton*>(QStringLiteral("Command1_0"))->click();
    }

    // Chooses the queue in the batch print dialog and prints every page of every
    // registration.
    void printBatchTo(const QString& queue)
    {
        FrmPrintMany dialog;
        auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("cboPrinter"));
        ASSERT_TRUE(printers);
        printers->setCurrentIndex(printers->findData(queue));
        dialog.findChild<QAbstractButton*>(QStringLiteral("Command3_2"))->click();
        dialog.findChild<QAbstractButton*>(QStringLiteral("Check5"))->click();
        dialog.findChild<QAbstractButton*>(QStringLiteral("Command1"))->click();
    }


    // Short enough for the path of a socket.
    QTemporaryDir m_base{QDir::tempPath() + QStringLiteral("/cups-XXXXXX")};
    std::unique_ptr<OwnCups> m_cups;
};

// One server for both queues: a cups-pdf queue as installed (A4), and one whose
// driver offers only A5.
TEST_F(CupsPrint, FourA4PagesFromTheQueueAndSmallerPaperRefused)
{
    const QString pid = QString::number(QCoreApplication::applicationPid());
    const QString a4 = QStringLiteral("orvane") + pid;
    const QString a5 = QStringLiteral("orvanea5x") + pid;
    const QString a5Ppd = m_base.filePath(QStringLiteral("a5.ppd"));
    OwnCups::write(a5Ppd, a5OnlyPpd());
    for (const auto& [queue, ppd] : {std::pair{a4, CupsPdfPpd}, std::pair{a5, a5Ppd}}) {
        const QString added = m_cups->addQueue(queue, ppd);
        ASSERT_TRUE(added.isEmpty()) << added.toStdString();
    }

    // Smaller paper: the printer does not take A4; printing all the same meets the
    // paper check, nothing is printed and the printer keeps its paper.
    Prompt::setNextAnswer(Prompt::Answer::Yes);
    printTo(a5);
    EXPECT_EQ(Prompt::shownTexts(), (QStringList{QStringLiteral("打印设置错误，应为[A4纵向],是否继续?"),
                                         QStringLiteral("打印机页面设置不正确(应设置为A4[纵向]大小)...")}));
    EXPECT_EQ(printerService().printer()->pageLayout().pageSize().id(), QPageSize::A5);

    // A queue that refuses jobs, or is stopped, before the print or while a batch is
    // drawn: the clerk is told so with the queue's reason, or in Chinese when the
    // server gives its own English text for no reason, and nothing is sent.
    const QString reject = QStringLiteral("cupsreject"), stop = QStringLiteral("cupsdisable");
    const struct
    {
        QString tool;
        QString reason;
        bool batch;
        bool whileDrawn;
        QString said;
    } closed[] = {
        {reject, QStringLiteral("Out of paper"), false, false, QStringLiteral("Out of paper")},
        {stop, QStringLiteral("Paper jam"), true, false, QStringLiteral("Paper jam")},
        {reject, QStringLiteral("Closed for the night"), true, true, QStringLiteral("Closed for the night")},
        {reject, QString(), false, false, QStringLiteral("不接受打印任务")},
        {stop, QString(), false, false, QStringLiteral("已暂停")}};
    for (const auto& c : closed) {
        SCOPED_TRACE((c.tool + u' ' + c.reason).toStdString());
        Prompt::clear();
        const QStringList because =
            c.reason.isEmpty() ? QStringList() : QStringList{QStringLiteral("-r"), c.reason};
        if (c.whileDrawn)
            QTimer::singleShot(0, [&] { m_cups->command(c.tool, a4, because); });
        else
            m_cups->command(c.tool, a4, because);
        if (c.batch)
            printBatchTo(a4);
        else
            printTo(a4);
        EXPECT_EQ(
            Prompt::shownTexts(),
            QStringList{QStringLiteral("Error # -1 was generated by PrintRun\r打印机未接受打印任务：%1（%2）")
                            .arg(a4, c.said)});
        m_cups->command(QStringLiteral("cupsaccept"), a4);
        m_cups->command(QStringLiteral("cupsenable"), a4);
    }
    EXPECT_TRUE(jobsOf(a4).isEmpty());

    // A4: the four pages of the form come out of the queue as a PDF file, the job
    // named by the registration number.
    Prompt::clear();
    printTo(a4);
    EXPECT_EQ(Prompt::lastText(), QStringLiteral("输出完毕!"));
    Job job;
    ASSERT_TRUE(jobDone(a4, 0, job));
    EXPECT_EQ(job.title, Djh);
    ASSERT_EQ(m_cups->pdfFiles().size(), 1) << "also one from the refused print";
    const QString pdf = m_cups->outDir() + u'/' + m_cups->pdfFiles().first();
    const QString info = run(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"),
                                                          QStringLiteral("-l"), QStringLiteral("9"), pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+4\\n")))) << info.toStdString();
    EXPECT_EQ(info.count(QRegularExpression(QStringLiteral("Page +\\d size: .*\\(A4\\)"))), 4)
        << info.toStdString();

    // Then to a PDF file, and a batch to the queue: the third run goes to the queue,
    // not into a file beside that PDF file, named as a batch of one.
    Prompt::clear();
    const QString named = path(QStringLiteral("form.pdf"));
    FileDialog::setNextFileName(named);
    printTo(PrinterService::pdfPrinterName());
    EXPECT_EQ(Prompt::lastText(), QStringLiteral("输出完毕!"));
    EXPECT_TRUE(QFileInfo::exists(named));
    Prompt::clear();
    printBatchTo(a4);
    EXPECT_EQ(Prompt::lastText(), QStringLiteral("输出完毕!"));
    const int first = job.id;
    ASSERT_TRUE(jobDone(a4, first, job)) << "the queue did not take the job after the print to a PDF file";
    EXPECT_EQ(job.title, QStringLiteral("批量打印（共1份）"));
    EXPECT_EQ(m_cups->pdfFiles().size(), 2);
    EXPECT_EQ(QDir(dir()).entryList({QStringLiteral(".orvane-*")}, QDir::Files | QDir::Hidden),
              QStringList());
}
