#pragma once

#include <QString>
#include <QStringList>

class QPrinter;

// The printer the program prints on, with the paper codes the program has always
// reasoned in: 8 A3, 9 A4, 12 B4; orientation 1 portrait, 2 landscape. The
// print-to-PDF printer is always installed, so a machine without any system
// printer still has one.
//
// One service serves the running program (printerService()); tests install a
// fake with setPrinterService().
class PrinterService
{
public:
    enum PaperCode { PaperA3 = 8, PaperA4 = 9, PaperB4 = 12 };
    enum OrientationCode { Portrait = 1, Landscape = 2 };

    virtual ~PrinterService() = default;

    // Names of the installed printers, the print-to-PDF printer included.
    virtual QStringList printerNames() const = 0;
    int printerCount() const { return int(printerNames().size()); }
    // True when the named printer can be used.
    virtual bool printerExists(const QString& name) const = 0;

    // Paper size code and orientation code of the current printer (0 when the
    // size has no code).
    virtual int paperSize() const = 0;
    virtual int orientation() const = 0;
    // False when the printer does not take that paper or orientation.
    virtual bool setPaperSize(int code) = 0;
    virtual bool setOrientation(int code) = 0;

    // The printer that print runs draw on, with the paper set above; null in fakes
    // that do not print.
    virtual QPrinter* printer() = 0;

    static QString pdfPrinterName();
};

// The service of the running program (QPrinter and the system's printer list),
// or the one a test installed.
PrinterService& printerService();
// Installs `service` (not owned); nullptr goes back to the built-in service.
void setPrinterService(PrinterService* service);
