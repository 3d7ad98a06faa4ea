#pragma once

#include <QString>

class CoordGridModel;

// The text in which blocks of a coordinate grid travel through the clipboard, and
// the reading of such a text back into a grid. No clipboard access here: the texts
// come and go as arguments.
//
// A copied block is a header line "STACOL=<first column>;ENDCOL=<last column>;ROWS=<rows>"
// followed by one line per row, the cells joined by "," and an empty cell written
// as one blank; every line ends in CR LF.
namespace CoordClipboard {

// The block of columns c1 to c2 over rows r1 to r2.
QString Coord_Block_Text(const CoordGridModel& grid, int c1, int c2, int r1, int r2);

// What a clipboard text announces.
struct Block
{
    enum class Kind {
        Empty,     // nothing but blanks
        Ignored,   // no line feed anywhere once completed
        BadHeader, // a header line that cannot be read
        Rows,      // rows to insert
        Columns,   // columns to write over existing rows
    };
    Kind kind = Kind::Empty;
    double startCol = 1;
    double endCol = 0;
    QString body; // the lines that follow the header, each ended by LF
};

Block parseBlock(const QString& clipboardText, int cols);

// Takes the next line (up to the next LF, which is removed with it) off `text`;
// false when no LF is left.
bool takeLine(QString& text, QString& line);

// Writes one line into `row` from column `col` on: each field before a "," into
// one cell, blanks around it removed, the last field up to its first CR. Fields
// beyond the last column are dropped; column 0 is never written.
void fillRow(CoordGridModel& grid, int row, int col, QString line);

// Removes the blanks (spaces only) at both ends.
QString trimBlanks(const QString& text);

} // namespace CoordClipboard
