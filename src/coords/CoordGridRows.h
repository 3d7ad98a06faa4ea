#pragma once

#include "CoordGrid.h"

#include <QList>
#include <QStringList>

#include <array>

// A coordinate grid held as plain rows of text, without a widget: the heading row,
// the data rows and the empty entry row.
class CoordGridRows : public CoordGrid
{
public:
    using Row = std::array<QString, ColumnCount>;

    // An empty grid: the heading row and the empty entry row.
    CoordGridRows();
    // A grid whose data rows are `dataRows`, each given from column 1 on
    // (拐点号, X, Y, 矿体标识, 性质; missing cells are empty). Column 0 gets the row
    // number; the heading row and the empty entry row are added.
    static CoordGridRows fromDataRows(const QList<QStringList>& dataRows);

    int rowCount() const override;
    QString cellText(int row, int column) const override;
    void setCellText(int row, int column, const QString& text) override;

    // Sets the row count: rows added at the end are empty, rows beyond are dropped.
    void setRowCount(int rows);

private:
    QList<Row> m_rows;
};
