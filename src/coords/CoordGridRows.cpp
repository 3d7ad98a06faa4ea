#include "CoordGridRows.h"

CoordGridRows::CoordGridRows()
{
    setRowCount(2);
}

CoordGridRows CoordGridRows::fromDataRows(const QList<QStringList>& dataRows)
{
    CoordGridRows grid;
    grid.setRowCount(int(dataRows.size()) + 2);
    for (int r = 0; r < dataRows.size(); ++r) {
        grid.setCellText(r + 1, 0, QString::number(r + 1));
        const QStringList& cells = dataRows[r];
        for (int c = 0; c < cells.size() && c + 1 < ColumnCount; ++c)
            grid.setCellText(r + 1, c + 1, cells[c]);
    }
    return grid;
}

int CoordGridRows::rowCount() const
{
    return int(m_rows.size());
}

QString CoordGridRows::cellText(int row, int column) const
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= ColumnCount) return QString();
    return m_rows[row][column];
}

void CoordGridRows::setCellText(int row, int column, const QString& text)
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= ColumnCount) return;
    m_rows[row][column] = text;
}

void CoordGridRows::setRowCount(int rows)
{
    m_rows.resize(qMax(rows, 0));
}
