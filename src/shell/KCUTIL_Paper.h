#pragma once

#include <QString>

// The printer checks of the print dialogs, through the printer service
// (platform/PrinterService.h): paper codes 8 A3, 9 A4, 12 B4; orientation 1
// portrait, 2 landscape.
namespace KCUTIL {

// True when the named printer can be used (the print-to-PDF printer always can).
bool Printer_Exists(const QString& printerName);

// Remembers the printer's paper and orientation (Saved_Paper_Size,
// Saved_Orientation) and sets the wanted ones. When the printer does not take
// them, `failFlag` is 1 and `failText` names the wanted paper ("[A4纵向]" for A4
// portrait); otherwise 0 and empty. Without any printer nothing happens.
void Check_Paper_Size(int paperSize, int orientation, int& failFlag, QString& failText);

// Gives the printer back the paper and orientation remembered by
// Check_Paper_Size; a failure is passed over.
void Set_Paper_Size();

// The failure text of Check_Paper_Size: "[A3", "[A4", "[B4" or "[未知", then
// "纵向]" or "横向]" (nothing for other orientation codes).
QString Paper_Failure_Text(int paperSize, int orientation);

} // namespace KCUTIL
