#include "KCUTIL_Paper.h"

#include "ProgramState.h"
#include "platform/PrinterService.h"

namespace KCUTIL {

bool Printer_Exists(const QString& printerName)
{
    return printerService().printerExists(printerName);
}

QString Paper_Failure_Text(int paperSize, int orientation)
{
    QString text;
    switch (paperSize) {
    case PrinterService::PaperA3: text = QStringLiteral("[A3"); break;
    case PrinterService::PaperA4: text = QStringLiteral("[A4"); break;
    case PrinterService::PaperB4: text = QStringLiteral("[B4"); break;
    default: text = QStringLiteral("[未知"); break;
    }
    if (orientation == PrinterService::Portrait) text += QStringLiteral("纵向]");
    if (orientation == PrinterService::Landscape) text += QStringLiteral("横向]");
    return text;
}

void Check_Paper_Size(int paperSize, int orientation, int& failFlag, QString& failText)
{
    failFlag = 0;
    failText.clear();
    PrinterService& printer = printerService();
    if (printer.printerCount() == 0) return;
    ProgramState& s = state();
    s.Saved_Paper_Size = printer.paperSize();
    s.Saved_Orientation = printer.orientation();
    bool ok = true;
    if (printer.paperSize() != paperSize) ok = printer.setPaperSize(paperSize);
    if (ok && printer.orientation() != orientation) ok = printer.setOrientation(orientation);
    if (!ok) {
        failFlag = 1;
        failText = Paper_Failure_Text(paperSize, orientation);
    }
}

void Set_Paper_Size()
{
    PrinterService& printer = printerService();
    if (printer.printerCount() == 0) return;
    const ProgramState& s = state();
    if (printer.paperSize() != s.Saved_Paper_Size && !printer.setPaperSize(s.Saved_Paper_Size)) return;
    if (printer.orientation() != s.Saved_Orientation) printer.setOrientation(s.Saved_Orientation);
}

} // namespace KCUTIL
