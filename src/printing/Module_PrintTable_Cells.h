#pragma once

#include <QString>

#include <array>
#include <cstdint>

class PrintSurface;

// The routines with which the printed quality and reserve table is drawn cell by
// cell, and the table state they share. Positions are printer twips.
namespace Module_PrintTable {

// State of the table being printed.
struct TableState
{
    // Corners of the current cell.
    float CellX1 = 0, CellY1 = 0, CellX2 = 0, CellY2 = 0;
    // Sides to draw, in the order top, right, bottom, left; 1 draws the side.
    std::array<std::uint8_t, 4> CellBorders{1, 1, 1, 1};
    // Set while the header prints: centred texts are measured by "中", else by "1".
    bool TableHeaderMode = false;
    // Printer x of the table's left edge.
    float Table_Left = 0;
    // The table is still on the sheet where it started.
    bool Table_First_Page = true;
    // Number of the last continuation sheet of the table (0 before the first).
    int Table_Page_No = 0;
};

// Centimetres to twips: cm * 1440 / 2.54, rounded to the nearest whole twip,
// halves to even (1 cm 567, 1.2 cm 680, 14 cm 7937).
int Cm_To_Twips(float cm);

// Number of pieces `separator` cuts `text` into: separators + 1 (1 for "").
int Count_Lines(const QString& text, const QString& separator);

// Breaks `text` into lines by the printer's measure: a line feed is put before a
// character once the line before it has reached `maxWidth` (so a line may pass it
// by one character); line feeds of the text stay. `lineCount` is 1 + the line
// feeds of `wrapped`.
void Wrap_Text(PrintSurface& printer, float maxWidth, const QString& text, int& lineCount, QString& wrapped);

// One line of text at (x, y) in the printer's current font.
void Print_Text_At(PrintSurface& printer, int x, int y, const QString& text);

// Alignment codes of a cell.
enum CellAlign { AlignTopLeft = 0, AlignCentre = 4 };

// Prints `text` into the cell (CellX1, CellY1)-(CellX2, CellY2) line by line
// (alignment 0 from the top-left corner inset by 30 twips, 4 centred by the first
// line), then draws the sides that CellBorders flags. The text is consumed: it is
// empty afterwards.
void Print_Cell(PrintSurface& printer, TableState& table, QString& text, int alignment);

// The two-level header of the table, 2 cm high, from the table's left edge; on the
// table's first sheet at the printer y of the reserve header grid of the review
// page, on a continuation sheet 2 cm below the top. Leaves the cell state on its
// last cell, whose bottom is the header's bottom.
void Print_Table_Header(PrintSurface& printer, TableState& table, bool onNewPage);

// Printer x of the table's left edge: the left edge of the review page's frame
// Shape1(0).
int Table_Left_Edge();

} // namespace Module_PrintTable
