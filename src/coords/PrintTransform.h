#pragma once

// Positions on the entry window's pages (twips) moved to the printed A4 page
// (twips): printer x = PrintScaleX * x + 800, printer y = PrintScaleY * y + 1200,
// rounded to the nearest whole number, halves to even. The scales are the
// program's PrintScaleX and PrintScaleY, taken in single precision.
namespace Module_PrintTable {

int To_Printer_X(int x);
int To_Printer_Y(int y);

} // namespace Module_PrintTable
