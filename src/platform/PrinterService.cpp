#include "PrinterService.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <memory>

namespace {

QPageSize::PageSizeId pageSizeIdFor(int code, bool* known)
{
    *known = true;
    switch (code) {
    case PrinterService::PaperA3: return QPageSize::A3;
    case PrinterService::PaperA4: return QPageSize::A4;
    case PrinterService::PaperB4: return QPageSize::B4;
    default: *known = false; return QPageSize::Custom;
    }
}

int codeFor(QPageSize::PageSizeId id)
{
    switch (id) {
    case QPageSize::A3: return PrinterService::PaperA3;
    case QPageSize::A4: return PrinterService::PaperA4;
    case QPageSize::B4: return PrinterService::PaperB4;
    default: return 0;
    }
}

// The printers of the system through QPrinter. The current printer is the
// system's default printer, or the print-to-PDF printer when there is none.
class QtPrinterService final : public PrinterService
{
public:
    QStringList printerNames() const override
    {
        QStringList names = QPrinterInfo::availablePrinterNames();
        names << pdfPrinterName();
        return names;
    }

    bool printerExists(const QString& name) const override
    {
        if (name.isEmpty()) return false;
        if (name == pdfPrinterName()) return true;
        return !QPrinterInfo::printerInfo(name).isNull();
    }

    int paperSize() const override { return codeFor(current().pageLayout().pageSize().id()); }

    int orientation() const override
    {
        return current().pageLayout().orientation() == QPageLayout::Landscape ? Landscape : Portrait;
    }

    bool setPaperSize(int code) override
    {
        bool known = false;
        const QPageSize::PageSizeId id = pageSizeIdFor(code, &known);
        if (!known) return false;
        // A printer of the system takes only the papers its driver offers.
        const QPageSize size(id);
        if (current().outputFormat() == QPrinter::NativeFormat) {
            const QPrinterInfo info(current());
            const QList<QPageSize> offered = info.supportedPageSizes();
            if (!info.isNull() && !info.supportsCustomPageSizes() &&
                std::none_of(offered.begin(), offered.end(),
                             [&](const QPageSize& s) { return s.isEquivalentTo(size); }))
                return false;
        }
        return current().setPageSize(size);
    }

    bool setOrientation(int code) override
    {
        if (code != Portrait && code != Landscape) return false;
        return current().setPageOrientation(code == Portrait ? QPageLayout::Portrait : QPageLayout::Landscape);
    }

    QPrinter* printer() override { return &current(); }

private:
    QPrinter& current() const
    {
        if (!m_printer) {
            const QPrinterInfo def = QPrinterInfo::defaultPrinter();
            if (def.isNull()) {
                m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
                m_printer->setOutputFormat(QPrinter::PdfFormat);
                m_printer->setPrinterName(QString());
            } else {
                m_printer = std::make_unique<QPrinter>(def, QPrinter::HighResolution);
            }
        }
        return *m_printer;
    }

    mutable std::unique_ptr<QPrinter> m_printer;
};

PrinterService* installed = nullptr;

} // namespace

QString PrinterService::pdfPrinterName()
{
    return QStringLiteral("Print to PDF");
}

PrinterService& printerService()
{
    if (installed) return *installed;
    static QtPrinterService builtIn;
    return builtIn;
}

void setPrinterService(PrinterService* service)
{
    installed = service;
}
