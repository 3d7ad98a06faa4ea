#pragma once

#include "platform/PrinterService.h"

#include <QList>
#include <QStringList>

// A printer that records its paper and takes only the papers and orientations a
// test allows. Install it with ScopedPrinterService.
class FakePrinterService : public PrinterService
{
public:
    QStringList names{PrinterService::pdfPrinterName()};
    int paper = PaperA4;
    int orient = Portrait;
    QList<int> papersTaken{PaperA3, PaperA4, PaperB4};
    QList<int> orientationsTaken{Portrait, Landscape};

    QStringList printerNames() const override { return names; }
    bool printerExists(const QString& name) const override { return names.contains(name); }
    int paperSize() const override { return paper; }
    int orientation() const override { return orient; }
    bool setPaperSize(int code) override
    {
        if (!papersTaken.contains(code)) return false;
        paper = code;
        return true;
    }
    bool setOrientation(int code) override
    {
        if (!orientationsTaken.contains(code)) return false;
        orient = code;
        return true;
    }
    QPrinter* printer() override { return nullptr; }
};

class ScopedPrinterService
{
public:
    explicit ScopedPrinterService(PrinterService& service) { setPrinterService(&service); }
    ~ScopedPrinterService() { setPrinterService(nullptr); }
    ScopedPrinterService(const ScopedPrinterService&) = delete;
    ScopedPrinterService& operator=(const ScopedPrinterService&) = delete;
};
