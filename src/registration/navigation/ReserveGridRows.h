#pragma once

#include "platform/Database.h"

#include <QList>
#include <QString>
#include <QStringList>

// The rows of the reserve table (the body grid under the header of "矿产",
// "名称", ... "资源量"): for every ore row key of a registration's 质量 rows the
// mineral, its combination, its statistics object with units, the ore type, grade
// and components, and up to six reserve lines of its own 资源储量 rows. Built apart
// from any widget, so that the entry window and printing show the same rows.
struct ReserveGridRows
{
    static constexpr int ColumnCount = 10;

    // A cell spanning `rowCount` rows from `row` down, in one of columns 0 to 3.
    struct Span
    {
        int row = 0;
        int column = 0;
        int rowCount = 1;
        bool operator==(const Span&) const = default;
    };

    QList<QStringList> rows; // ColumnCount cells each
    QList<Span> spans;       // runs of equal texts in columns 0 to 3
    Db::Error error;         // the first failure met; the rows built so far are kept

    // Reads the 质量 and 资源储量 rows of registration `djh` (both tables by that
    // number) through the shared connection and builds the rows. Reserve rows with a
    // 扣矿区编号 (deductions) are never shown.
    static ReserveGridRows build(const QString& djh);

    // The merged cells of a list of rows: in each of columns 0 to 3, every run of two
    // or more adjacent rows with equal text.
    static QList<Span> spansOf(const QList<QStringList>& rows);
};
