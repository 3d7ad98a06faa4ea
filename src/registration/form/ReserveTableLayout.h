#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The fixed layout of the quality and reserve table of the review page: the header
// grid THFLEX (two title rows) over the body grid TBFLEX (the data rows), ten
// columns wide. Sizes are twips; lengths chosen in millimetres are converted as
// round(mm * 1440 / 25.4), halves to even.
namespace ReserveTableLayout {

constexpr int ColumnCount = 10;
constexpr int HeaderRows = 2;
constexpr double FontSize = 9.0;

// Millimetres to twips, rounded halves to even.
int mmToTwips(double mm);

// Width of each column (567, 567, 794, 1247, 454, 1077, 454, 1077, 454, 1077).
QList<int> columnWidths();
int totalWidth();
// Height of each header row (397) and of the header (794).
int headerRowHeight();
int headerHeight();
// The body's height: 70 mm, not rounded (3968.5...).
double bodyHeight();
// The body's top lies 20 twips above the header's bottom, under its last line.
constexpr int BodyOverlap = 20;

// Titles of the two header rows; a title standing in both rows of a column, or in
// neighbouring columns of a row, shows as one cell.
QStringList headerRow(int row);

// A block of equal neighbouring cells shown as one.
struct Span
{
    int row = 0;
    int column = 0;
    int rows = 1;
    int columns = 1;
    bool operator==(const Span&) const = default;
};
// The merged cells of the header: columns 0 to 3 over both rows, and each reserve
// category over its code and amount columns.
QList<Span> headerSpans();

// Columns whose body cells are left-aligned (2, 3 and the last); the others are
// centred. Both vertically centred.
bool bodyColumnLeftAligned(int column);
// Body columns in which equal cells of neighbouring rows merge (0 to 3).
QList<int> bodyMergeColumns();

// The vertical runs of equal texts in one body column (texts by row): each run of
// two or more equal, non-empty neighbouring cells, as a span of that column.
QList<Span> mergeRuns(const QStringList& columnTexts, int column);

} // namespace ReserveTableLayout
