#pragma once

#include "RowGrid.h"
#include "platform/Result.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace editors {

// Reading the row list from the database: the grid rows of a registration, the
// combination and reserve marker of a row, and the entries of the pick lists
// ("code. name"). Every routine takes the connection and the registration number.
namespace RowLoading {

struct Combination
{
    QString code; // 矿产组合码 as text, "" when none
    QString name; // 矿产组合
};

// What Load_Rows read: the number of ore row keys (grid rows) the quality rows
// form; only the first 25 are in the grid.
struct Loaded
{
    int groups = 0;
    bool overflow() const { return groups > RowGrid::LastRow; }
};

// Fills the grid and Row_Codes from the 质量 rows of `djh` in 显示序号 order, one
// grid row per change of key; the grid must have been laid out and cleared first.
Result<Loaded> Load_Rows(const QSqlDatabase& db, const QString& djh, RowGrid& grid);

// The combination of a mineral within the registration: the first 资源储量 row of
// the mineral, deductions included.
Result<Combination> Get_Mineral_Combination(const QSqlDatabase& db, const QString& djh, int mineral);

// "有" when the registration has an own 资源储量 row of the key, else "".
Result<QString> Get_Reserve_Marker(const QSqlDatabase& db, const QString& djh, const RowGrid::Key& key);

// The entries of a general code list: "表内码. 名称" in 表内码 order, after an empty
// entry unless the list is the combinations (16). `table` must be "cb01".
Result<QStringList> Load_dic_List1(const QSqlDatabase& db, int tableNo, const QString& table);

// The entries of the ore-type list (1) or the ore-grade list (2) of a mineral, after
// an empty entry; coal (11001) lists its grades from 14 up before grades up to 13.
Result<QStringList> Load_Type_Grade_List(const QSqlDatabase& db, int listIndex, int mineral);

// The code and name of a pick-list entry "code. name": the code is the leading
// number rounded to a whole number, the name the text after the first ".", trimmed.
struct Entry
{
    int code = 0;
    QString name;
};
Entry parseEntry(const QString& entry);

} // namespace RowLoading

} // namespace editors
