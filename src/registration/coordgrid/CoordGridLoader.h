#pragma once

#include <QString>

class CoordGridModel;

// Lays a coordinate grid out and fills it from the line form of the stored
// coordinate text (first line the line count, then one line per data row).
namespace CoordGridLoader {

// Heading of columns 2 and 3 for geographic or rectangular coordinates.
QString heading2(bool geographic);
QString heading3(bool geographic);

// Empties the grid to its headings and one blank row, with the headings of columns
// 2 and 3 as `geographic` says, then fills it from `lines` when that is not empty.
// `geographic` is updated when the filled coordinates decide it.
void Init_Flex(CoordGridModel& grid, bool& geographic, const QString& lines);

// Fills the data rows from `lines`. Every cell keeps its stored text (blanks
// around it removed), so that a grid loaded and written back gives the stored text
// it came from. Returns the geographic flag the first corner decides, or leaves
// `geographic` alone when there is nothing to fill.
void Fill_Flex(CoordGridModel& grid, bool& geographic, const QString& lines);

// Relabels columns 2 and 3; no cell value changes.
void setHeadings(CoordGridModel& grid, bool geographic);

} // namespace CoordGridLoader
