#pragma once

#include "RowGrid.h"
#include "platform/Result.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace editors {

// What the row list window writes: the key update of a list pick, the choice of a
// mineral in the tree, and deleting, inserting and renumbering rows. Each command
// that writes runs in one transaction on the registration's connection; on a
// failure nothing is written and the grid is as before.
namespace RowCommands {

// ---- Picks ----------------------------------------------------------------------

enum class Pick {
    Ignored,   // the entry cannot be picked (a coal summary grade); the list stays open
    Duplicate, // the row would equal grid row Dup_Row; nothing changed
    TextOnly,  // the code was the row's already; only the text was rewritten
    Updated    // the stored rows moved to the new code; the row took code and name
};

// A pick from list `listIndex` (0 combination, 1 ore type, 2 ore grade) on grid
// row `row`: the duplicate test, then the key update, then the row's cell and code.
Result<Pick> List_Pick(const QSqlDatabase& db, const QString& djh, RowGrid& grid, int row, int listIndex,
                       const QString& entry);

// Moves the stored 质量 and own 资源储量 rows of grid row `row` from its current
// code to `code`: the combination (list 0, spread over every grid row of the
// mineral; 0 changes nothing), the ore type (1) or the ore grade (2).
Status Update_Row_Key(const QSqlDatabase& db, const QString& djh, RowGrid& grid, int row, int listIndex,
                      int code, const QString& name);

// A mineral chosen in the mineral tree for grid row `row`: the same duplicate test
// as a list pick, then the mineral's cells and codes (no database row is written).
struct TreeChoice
{
    int mineral = 0;
    int object = 0;
    QString mineralText;
    QString objectText;
};
Pick Tree_Pick(RowGrid& grid, int row, const TreeChoice& choice);

// ---- Row commands -----------------------------------------------------------------

// The mineral names of the rows that have a mineral but neither quality nor reserve
// data, for the warning before every row command.
QStringList Unsaved_Rows(const RowGrid& grid);

// Deletes grid row `row` with its stored quality and own reserve rows, reloads the
// grid and renumbers the quality rows; the reload's count of groups is returned.
Result<int> Delete_Row(const QSqlDatabase& db, const QString& djh, RowGrid& grid, int row);

// Inserts an empty grid row at `row` and renumbers the quality rows below. False
// (and nothing changed) when row 25 has a mineral.
Result<bool> Insert_Row(const QSqlDatabase& db, const QString& djh, RowGrid& grid, int row);

// Gives every quality row of each grid row with a mineral the hundreds of its grid
// row (显示序号 = 100 x row + item). Runs inside the caller's transaction.
Status Renumber_Quality_Rows(const QSqlDatabase& db, const QString& djh, const RowGrid& grid);

} // namespace RowCommands

} // namespace editors
