#include "PrintRun.h"

#include "PainterSurface.h"

#include "platform/FileError.h"
#include "platform/NewFile.h"
#include "platform/PrintQueue.h"
#include "platform/PrinterService.h"

#include <QFile>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <cerrno>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace {
PrintSurface* testSurface = nullptr;
const QString Source = QStringLiteral("PrintRun");

bool endsWithPdfEndMark(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    return file.seek(std::max<qint64>(0, file.size() - 1024)) && file.read(1024).trimmed().endsWith("%%EOF");
}

// The PDF writer keeps the cause of a failed write to itself. A write of ours to the
// end of the same file meets that cause again (a full disk, a size limit, a disk
// gone read-only): answers it, or 0 when a megabyte more goes through to the disk.
int causeOfFailedWrite(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd < 0) return errno;
    static const QByteArray block(64 * 1024, '\0');
    int cause = 0;
    for (int blocks = 0; blocks < 16 && cause == 0;) {
        const ssize_t n = ::write(fd, block.constData(), size_t(block.size()));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0)
            cause = errno;
        else if (n == 0)
            cause = ENOSPC;
        else
            ++blocks; // a short write fails on the next one
    }
    if (cause == 0 && ::fsync(fd) != 0) cause = errno;
    ::close(fd);
    return cause;
}
} // namespace

QString PrintRun::Refused_Message(const QString& printer, const QString& reason)
{
    return QStringLiteral("打印机未接受打印任务：%1（%2）").arg(printer, reason);
}

bool PrintDestination::isPdf() const
{
    return printerName == PrinterService::pdfPrinterName();
}

void PrintRun::setTestSurface(PrintSurface* surface)
{
    testSurface = surface;
}

PrintRun::PrintRun(const PrintDestination& destination) : m_destination(destination)
{
    if (testSurface) return;
    QPrinter* printer = printerService().printer();
    if (!printer) return;
    printer->setDocName(destination.title);
    if (destination.isPdf()) {
        // A short name of ours beside the target, whatever the target's name.
        m_partFile = NewFile::makeTemporary(destination.pdfFile, &m_error);
        if (m_partFile.isEmpty()) return; // no file to print into: finish() says why
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(m_partFile);
        printer->setPageMargins(QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
    } else {
        printer->setOutputFormat(QPrinter::NativeFormat);
        printer->setPrinterName(destination.printerName);
        // A file name left from a run to a PDF file would send this run into that
        // file: a printer of the system prints to its queue only without one.
        printer->setOutputFileName(QString());
        // The run starts from the paper the printer is set to, not from that of the
        // printer used before.
        const QPrinterInfo info(*printer);
        if (!info.isNull()) printer->setPageSize(info.defaultPageSize());
        // A queue that refuses jobs drops the job at its end without a word, and a
        // stopped one keeps it unprinted: neither gets one.
        if (const QString why = PrintQueue::refusal(destination.printerName); !why.isEmpty())
            m_error = Refused_Message(destination.printerName, why);
    }
    printer->setFullPage(false);
}

PrintRun::~PrintRun()
{
    if (m_surface) m_surface->finish();
    if (!m_partFile.isEmpty()) NewFile::discard(m_partFile);
}

PrintSurface* PrintRun::surface()
{
    if (testSurface) return testSurface;
    if (m_surface) return m_surface.get();
    if (!m_error.isEmpty()) return nullptr;
    QPrinter* printer = printerService().printer();
    if (!printer) return nullptr;
    m_surface = std::make_unique<PainterSurface>(*printer);
    return m_surface.get();
}

Status PrintRun::finish()
{
    if (testSurface) return Status::success();
    if (!m_error.isEmpty()) return Db::Error{-1, Source, m_error};
    if (!m_surface) return Status::success(); // nothing was printed
    const bool began = m_surface->began();
    bool painted = false;
    const auto end = [&] { painted = m_surface->finish(); };
    // The end of the painting hands a job for a printer of the system to its queue.
    QString refused;
    if (began && !m_destination.isPdf())
        refused = PrintQueue::handOver(m_destination.printerName, end);
    else
        end();
    m_surface.reset();
    if (!painted)
        return Db::Error{-1, Source, QStringLiteral("打印机无法开始打印: ") + m_destination.printerName};
    if (!refused.isEmpty()) return Db::Error{-1, Source, Refused_Message(m_destination.printerName, refused)};
    if (!began || m_partFile.isEmpty()) return Status::success(); // nothing printed: no file
    // The PDF writer reports no failed write: the file is whole when it ends with
    // the PDF's end mark.
    const QString target = m_destination.pdfFile;
    QPrinter* printer = printerService().printer();
    if ((printer && printer->printerState() == QPrinter::Error) || !endsWithPdfEndMark(m_partFile)) {
        if (const int cause = causeOfFailedWrite(m_partFile))
            return Db::Error{-1, Source, FileError::text(target, cause)};
        return Db::Error{-1, Source, FileError::text(target) + QStringLiteral("（PDF文件不完整）")};
    }
    QString why;
    // The part file is put in place or removed: the run owns it no longer.
    const bool placed = NewFile::place(std::exchange(m_partFile, QString()), target, &why);
    if (!placed) return Db::Error{-1, Source, why};
    return Status::success();
}
