#pragma once

#include "platform/Database.h"

#include <QString>
#include <QStringList>

// Code-to-name lookups in the code dictionaries of the working database (the
// shared connection). Codes are bound values. A failing query goes to
// Db::reportUnhandled (the generic error box in the program), unless the caller
// passes `error` to report it itself; either way the routine then returns its
// result for a missing row. Filling a pick list is in KCUTIL_DicLists.h.
namespace KCUTIL {

// The entries of a pick list from the general code table: an empty entry, then
// every 名称 of sub-table `tableNo` in 表内码 order (its heading row left out).
// `table` must be "cb01".
QStringList Dic_List_Entries(int tableNo, const QString& table, Db::Error* error = nullptr);

// 矿产名称 of a mineral.
QString Get_KCMC(int mineralCode, Db::Error* error = nullptr);

// Column heading of a reserve table for a mineral's statistics object: name and
// units, stacked "metal unit / ── / ore unit" when both amounts are kept.
QString Get_Calc_Object(int mineralCode, int statObject, Db::Error* error = nullptr);
// Name and units as the mineral editor shows them.
QString Get_Calc_Units(int mineralCode, int statObject, Db::Error* error = nullptr);

QString Get_Ore_Type_Name(int mineralCode, int oreType, Db::Error* error = nullptr);
// Grade name; for mineral 11001 while the detail editor is open (Edit_Open) with
// the grade standard: "(58牌号)" below grade 14, "(86牌号)" from 14 on.
QString Get_Ore_Grade_Name(int mineralCode, int oreGrade, Db::Error* error = nullptr);

// 名称 of the first cb01 row with that 代码, whatever its sub-table.
QString Get_Cb01_Name(int code, Db::Error* error = nullptr);

// True when the mineral has more than one statistics object.
bool Has_Multi_Objects(int mineralCode, Db::Error* error = nullptr);
// Units of the mineral's first statistics object: "metal/ore" when both exist.
QString Get_Cb06_Units(int mineralCode, Db::Error* error = nullptr);
// 0 when the unit flag reads as zero (empty included); 1 otherwise, also when the
// mineral or object is missing.
int Get_Calc_Unit_Flag(int mineralCode, int statObject, Db::Error* error = nullptr);

// The text rules of the three routines above, apart from the database.
QString Calc_Object_Heading(const QString& name, const QString& metalUnit, const QString& oreUnit, bool unitFlag);
QString Calc_Units_Text(const QString& name, const QString& metalUnit, const QString& oreUnit);
QString Cb06_Units_Text(const QString& metalUnit, const QString& oreUnit);

} // namespace KCUTIL
