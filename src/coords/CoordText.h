#pragma once

#include "CoordGrid.h"
#include "shell/ProgramState.h"

#include <QList>
#include <QString>

namespace KCUTIL {

// A corner or cell that the coordinate-text writer could not take as it is.
struct CoordFault
{
    enum class Kind {
        NotNumber, // X or Y of a corner is not a number: the corner is kept out of the extent
        NoZone,    // a plane corner whose Y lies in no zone: kept out of the extent
        Comma,     // a stored cell holds a comma, which the stored text cannot carry
    };
    Kind kind = Kind::NotNumber;
    int row = 0;    // grid row
    int column = 0; // grid column (2 for a corner's X/Y faults)
    double x = 0.0; // the corner's X and Y as numbers (NoZone)
    double y = 0.0;
};

// What Coord_Grid_To_Str made of a grid.
struct CoordTextResult
{
    QString text;             // the stored coordinate text (every field followed by a comma)
    Coord_Extent extent;      // longitude and latitude bounds of the corners that converted
    int extentCorners = 0;    // how many corners the extent covers
    QList<CoordFault> faults; // in grid order; empty when the whole grid was taken

    bool ok() const { return faults.isEmpty(); }
    // True when a stored cell holds a comma: the text must not be stored.
    bool hasComma() const;
};

// Writes the stored coordinate text of `grid`: ring count, then per ring its
// corner count, its corners (拐点号, X, Y) and four end fields (起标高, 止标高,
// 矿体标识, 性质); every field followed by a comma; a last ring without a ring-end
// row gets four empty end fields; a grid without data rows gives the empty text.
// Cells are taken with surrounding blanks removed. An empty 性质 of a ring-end row
// is stored as "1" and set to "1" in the grid itself.
//
// The extent is computed afresh from this grid's corners alone, in decimal degrees
// (geographic cells are DDD.MMSS texts, plane cells go through Convert_Coord); it is
// all zero when no corner converted. A corner that is not a number or lies in no
// zone still goes into the text, stays out of the extent and is listed among the
// faults, once; nothing is shown to the user. A grid without data rows that was
// loaded from a damaged text gives that text back unchanged (CoordGrid::keptText).
CoordTextResult Coord_Grid_To_Str(CoordGrid& grid);

// The same, storing the extent into the grid's program-wide extent: grid 0 into
// state().Area_Extent, grid 1 into state().Calc_Extent.
CoordTextResult Coord_Grid_To_Str(CoordGrid& grid, int index);

// Turns a stored coordinate text into the line form the grid loader reads: a first
// line with the number of lines that follow, then per ring one line per corner
// ("拐点号,X,Y,") and one ring-end line ("*,起标高,止标高,矿体标识,性质"), every line
// ended by CR LF. Line breaks in the input are ignored. A text that cannot be read
// whole gives the empty text and, unless it was blank, counts as damaged (`damaged`
// set): one without a comma, a ring whose corner count is not a positive whole
// number, or one cut off inside a corner or inside the first three end fields.
QString Coord_Str_To_Lines(const QString& stored, bool* damaged = nullptr);

// Said when a registration is shown whose stored coordinate text (index 0 矿权坐标,
// 1 计算坐标) is damaged: the grid stays empty and the text is kept as it is.
QString Coord_Damaged_Message(int index);

// Cell texts the stored text can carry: anything without a comma.
bool Is_Coord_Cell_Storable(const QString& cellText);
// The first data-row cell (columns 1 to 5) holding a comma, as a fault of kind
// Comma; row 0 when there is none. For the cell commit and the check before saving.
CoordFault Find_Coord_Comma(const CoordGrid& grid);
// The refusal shown for such a cell: "第" + row + "行坐标数据不能含有逗号...".
QString Coord_Comma_Message(int row);

} // namespace KCUTIL
