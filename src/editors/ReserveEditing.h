#pragma once

#include "HandOver.h"
#include "platform/Result.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <array>

namespace editors {

// The own reserve rows of one ore row (资源储量 rows that deduct from no other
// registration: 原登记号 and 扣矿区编号 empty) as the reserve editor shows them:
// seven rows of nine boxes, box index = 9 x row + column; in each row the groups
// 储量, 基础储量 and 资源量, each a code, a metal and an ore amount.
namespace ReserveEditing {

constexpr int Rows = 7;
constexpr int BoxesPerRow = 9;
constexpr int BoxCount = Rows * BoxesPerRow;
using Boxes = std::array<QString, BoxCount>;

// The 资源储量 column of each box column, in the table's order.
const QStringList& boxColumns();
bool isCodeBox(int box);
bool isMetalBox(int box);
bool isOreBox(int box);
inline bool isAmountBox(int box)
{
    return isMetalBox(box) || isOreBox(box);
}
// The code list of a code box's column: 0 储量类型, 1 基础储量类型, 2 资源量类型.
int listOfBox(int box);
// Every code of a list, in list order.
const QStringList& codeList(int list);

struct Loaded
{
    Boxes boxes;
    int rows = 0; // own rows of the key stored (the boxes hold the first seven)
};
// The ore row's own reserve rows in 显示序号 order; zero amounts show empty.
Result<Loaded> Load_Reserves(const QSqlDatabase& db, const HandOver& handOver);

// Which amounts the mineral's statistics object counts (cb06 金属量单位, 矿石量单位).
struct Units
{
    bool metal = false;
    bool ore = false;
};
Result<Units> Set_Amount_Boxes(const QSqlDatabase& db, int mineral, int object);

// The codes of list `list` that no box of its column holds.
QStringList Fill_Free_Codes(const Boxes& boxes, int list);

// Where the partner of `code`, just chosen in box `box`, goes: the other column's
// box of the same row when empty, else its first empty box from the top; -1 when
// the code has no partner, the partner stands already, or no box is free.
int partnerBox(const Boxes& boxes, int box, const QString& code, QString* partner);

// True when a typed amount deserves the numeric warning (blank text, a leading "-"
// or a trailing "." give none).
bool amountWarns(const QString& text);

// The lines of the failed pairs: a reserve amount larger in absolute value than
// its basic reserve's ("111数据比111b数据绝对值大").
QStringList Pair_Check(const Boxes& boxes);

// Problems that keep a sheet from being saved before anything is asked.
enum class Problem { None, NotNumeric, AmountWithoutCode };
struct Check
{
    Problem problem = Problem::None;
    int row = 0; // 1 to 7
};
Check Check_Values(const Boxes& boxes);
bool allEmpty(const Boxes& boxes);

// Replaces the ore row's own reserve rows by the rows of the boxes that hold a code
// (显示序号 = base + row), adds an empty quality row for the key when it has none,
// in one transaction. Returns the reserve marker: "有", or "" when no row was
// written. Refuses when the key holds more rows than the editor shows.
Result<QString> Save_Reserves(const QSqlDatabase& db, const HandOver& handOver, const Boxes& boxes);

// Removes the ore row's own reserve rows.
Status Delete_Reserves(const QSqlDatabase& db, const HandOver& handOver);

} // namespace ReserveEditing

} // namespace editors
