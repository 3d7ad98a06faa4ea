#pragma once

#include <QString>

// A coordinate grid as the coordinate routines see it: rows of six text cells.
// Row 0 is the heading row, rows 1 to rowCount() - 2 are data rows and the last
// row is the grid's empty entry row. Columns: 0 serial, 1 拐点号 ("*" on a
// ring-end row), 2 X or longitude (起标高), 3 Y or latitude (止标高), 4 矿体标识,
// 5 性质.
//
// The entry window's grids, the save, the reference dialogs and printing all
// hand their grids over through this interface.
class CoordGrid
{
public:
    static constexpr int ColumnCount = 6;

    virtual ~CoordGrid() = default;

    virtual int rowCount() const = 0;
    // The text of a cell; the empty text outside the grid.
    virtual QString cellText(int row, int column) const = 0;
    virtual void setCellText(int row, int column, const QString& text) = 0;
    // The stored text the grid was loaded from when that text was damaged and could
    // not be shown; empty otherwise.
    virtual QString keptText() const { return QString(); }
};
