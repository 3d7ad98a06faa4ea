#include "registration/coordgrid/CoordGridModel.h"

namespace {
QStringList emptyRow()
{
    QStringList row;
    for (int c = 0; c < CoordGridModel::Cols; ++c)
        row.append(QString());
    return row;
}
} // namespace

CoordGridModel::CoordGridModel()
{
    setRows(2);
}

void CoordGridModel::setRows(int rows)
{
    rows = qMax(1, rows);
    while (m_cells.size() > rows)
        m_cells.removeLast();
    while (m_cells.size() < rows)
        m_cells.append(emptyRow());
    m_row = clampRow(m_row);
    m_rowSel = clampRow(m_rowSel);
}

QString CoordGridModel::TextMatrix(int row, int col) const
{
    if (row < 0 || row >= Rows() || col < 0 || col >= Cols) return QString();
    return m_cells[row][col];
}

void CoordGridModel::setTextMatrix(int row, int col, const QString& text)
{
    if (row < 0 || row >= Rows() || col < 0 || col >= Cols) return;
    m_cells[row][col] = text;
}

bool CoordGridModel::isRingEnd(int row) const
{
    return TextMatrix(row, 1).trimmed() == QLatin1String("*");
}

int CoordGridModel::clampRow(int row) const
{
    if (Rows() < 2) return 0;
    return qBound(1, row, Rows() - 1);
}

int CoordGridModel::clampCol(int col) const
{
    return qBound(1, col, Cols - 1);
}

void CoordGridModel::setRow(int row)
{
    m_row = m_rowSel = clampRow(row);
    m_colSel = m_col;
}

void CoordGridModel::setCol(int col)
{
    m_col = m_colSel = clampCol(col);
    m_rowSel = m_row;
}

void CoordGridModel::setCursor(int row, int col)
{
    m_row = m_rowSel = clampRow(row);
    m_col = m_colSel = clampCol(col);
}

void CoordGridModel::setSelection(int row, int col, int rowSel, int colSel)
{
    m_row = clampRow(row);
    m_col = clampCol(col);
    m_rowSel = clampRow(rowSel);
    m_colSel = clampCol(colSel);
}

void CoordGridModel::renumber()
{
    for (int r = 1; r <= Rows() - 2; ++r)
        m_cells[r][0] = QString::number(r);
}

void CoordGridModel::insertEmptyRow(int row)
{
    setRows(Rows() + 1);
    for (int r = Rows() - 2; r >= row + 1; --r)
        for (int c = 1; c < Cols; ++c)
            m_cells[r][c] = m_cells[r - 1][c];
    for (int c = 1; c < Cols; ++c)
        m_cells[row][c].clear();
}

void CoordGridModel::clearRow(int row)
{
    if (row < 0 || row >= Rows()) return;
    m_cells[row] = emptyRow();
}

QStringList CoordGridModel::rowTexts(int row) const
{
    if (row < 0 || row >= Rows()) return emptyRow();
    return m_cells[row];
}
