#pragma once

#include "coords/CoordGrid.h"

#include <QString>
#include <QStringList>
#include <QVector>

// The contents of one coordinate grid without any widget: rows of six text cells,
// the cursor (Row, Col) and the far corner of the selection (RowSel, ColSel).
//
// Row 0 holds the headings and column 0 the row numbers; both are fixed, so the
// cursor never stands on them. Rows 1 to Rows() - 2 are data rows: a corner, or a
// ring end with "*" in column 1. Row Rows() - 1 is the trailing blank row, into
// which a new row is typed.
//
// The coordinate-text routines and the sketch map read it as a CoordGrid.
class CoordGridModel : public CoordGrid
{
public:
    static constexpr int Cols = ColumnCount;

    CoordGridModel();

    int Rows() const { return int(m_cells.size()); }
    // Sets the number of rows; new rows are empty, at least one row stays.
    void setRows(int rows);

    QString TextMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);

    int rowCount() const override { return Rows(); }
    QString cellText(int row, int column) const override { return TextMatrix(row, column); }
    void setCellText(int row, int column, const QString& text) override { setTextMatrix(row, column, text); }
    QString keptText() const override { return m_keptText; }
    void setKeptText(const QString& text) { m_keptText = text; }

    // Number of data rows.
    int Flex_Row_Count() const { return Rows() - 2; }
    int trailingRow() const { return Rows() - 1; }
    // Column 1 reads "*" once blanks are removed.
    bool isRingEnd(int row) const;

    int Row() const { return m_row; }
    int Col() const { return m_col; }
    int RowSel() const { return m_rowSel; }
    int ColSel() const { return m_colSel; }
    // Moving the cursor collapses the selection onto it, as the grid does.
    void setRow(int row);
    void setCol(int col);
    void setCursor(int row, int col);
    // Cursor at (row, col), selection reaching to (rowSel, colSel).
    void setSelection(int row, int col, int rowSel, int colSel);
    // Smaller and larger selected row and column.
    int r1() const { return qMin(m_row, m_rowSel); }
    int r2() const { return qMax(m_row, m_rowSel); }
    int c1() const { return qMin(m_col, m_colSel); }
    int c2() const { return qMax(m_col, m_colSel); }

    // Writes the row number into column 0 of every data row.
    void renumber();
    // Inserts an empty row before `row` (texts of columns 1 to 5 move down).
    void insertEmptyRow(int row);
    // Empties every cell of `row`.
    void clearRow(int row);

    // The cells of one row, columns 0 to 5.
    QStringList rowTexts(int row) const;

private:
    int clampRow(int row) const;
    int clampCol(int col) const;

    QVector<QStringList> m_cells;
    QString m_keptText;
    int m_row = 1;
    int m_col = 1;
    int m_rowSel = 1;
    int m_colSel = 1;
};
