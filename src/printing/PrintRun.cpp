#include "PrintRun.h"

#include "PainterSurface.h"

#include "platform/PrinterService.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>

namespace {
PrintSurface* testSurface = nullptr;
const QString Source = QStringLiteral("PrintRun");
} // namespace

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
    if (destination.isPdf()) {
        const QFileInfo target(destination.pdfFile);
        m_partFile =
            target.absoluteDir().filePath(QStringLiteral(".") + target.fileName() + QStringLiteral(".part"));
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(m_partFile);
        printer->setPageMargins(QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
    } else {
        printer->setOutputFormat(QPrinter::NativeFormat);
        printer->setPrinterName(destination.printerName);
        // The run starts from the paper the printer is set to, not from that of the
        // printer used before.
        const QPrinterInfo info(*printer);
        if (!info.isNull()) printer->setPageSize(info.defaultPageSize());
    }
    printer->setFullPage(false);
}

PrintRun::~PrintRun()
{
    if (m_surface) m_surface->finish();
    if (!m_partFile.isEmpty()) QFile::remove(m_partFile);
}

PrintSurface* PrintRun::surface()
{
    if (testSurface) return testSurface;
    if (m_surface) return m_surface.get();
    QPrinter* printer = printerService().printer();
    if (!printer) return nullptr;
    m_surface = std::make_unique<PainterSurface>(*printer);
    return m_surface.get();
}

Status PrintRun::finish()
{
    if (testSurface) return Status::success();
    if (!m_surface) return Status::success(); // nothing was printed
    const bool began = m_surface->began();
    const bool painted = m_surface->finish();
    m_surface.reset();
    if (!painted)
        return Db::Error{-1, Source, QStringLiteral("打印机无法开始打印: ") + m_destination.printerName};
    if (!began || m_partFile.isEmpty()) return Status::success(); // nothing printed: no file
    const QString target = m_destination.pdfFile;
    if (QFile::exists(target) && !QFile::remove(target))
        return Db::Error{-1, Source, QStringLiteral("无法替换文件: ") + target};
    if (!QFile::rename(m_partFile, target))
        return Db::Error{-1, Source, QStringLiteral("无法写入文件: ") + target};
    m_partFile.clear();
    return Status::success();
}
