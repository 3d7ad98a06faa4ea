#pragma once

#include "Module_PrintTable_Cells.h"

#include "platform/Result.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

#include <array>

class PrintSurface;

// The quality and reserve table that ends the review page of the printed form:
// the registration's 质量 rows cut into ore groups, each printed with its reserve
// figures (composition groups) or the sums of its mineral's figures (average
// groups), with continuation sheets "4-"n when the table is long.
namespace Module_PrintTable {

// A run of 质量 rows (in 显示序号 order) with one key: mineral, statistics object,
// ore type, ore grade and the average mark. `lines` holds one component line per
// row, each ending with a line feed.
struct OreGroup
{
    int mineralCode = 0;
    int statObject = 0;
    bool average = false;
    QString oreType, oreGrade; // as stored (Null as "")
    QString lines;
};

// The ore groups of a registration. Leading rows whose mineral is 0 open no group:
// their lines go to the group that follows.
Result<QList<OreGroup>> Read_Ore_Groups(const QSqlDatabase& db, const QString& djh);

// The group's quality text: "(1)" type, "(2)" grade, "(3)", then its component
// lines. A composition group names its type and grade from the dictionaries; an
// average group shows the stored descriptions.
QString Quality_Text(const OreGroup& group, QList<Db::Error>& errors);

// What one group prints beside its quality text.
struct GroupRows
{
    QString name;         // mineral name
    QString combination;  // 矿产组合 of the mineral and object
    QString object;       // statistics object with its units
    int unitFlag = 1;     // 0: the mineral keeps no metal amounts
    bool average = false; // the rows are sums of an average group
    // Per row: code, metal, ore of 储量, of 基础储量, of 资源量.
    QList<std::array<QString, 9>> rows;
};

// Reads the figures of a group: the 资源储量 rows of its type and grade (composition
// group) or the sums by code of its mineral and object (average group, at most six
// codes per category); deduction rows (原登记号 set) never count. A type or grade
// that is empty or no number gives no rows. Failures are added to `errors` and the
// group keeps what was read.
GroupRows Read_Group_Rows(const QSqlDatabase& db, const QString& djh, const OreGroup& group,
                          QList<Db::Error>& errors);

// Prints the rows of one group below the last row (or the header), breaking the
// page at the table's page limits and before a row that would pass the bottom of
// the printable area.
void Print_Reserve_Group(PrintSurface& printer, TableState& table, const GroupRows& rows,
                         const QString& qualityText);

// Prints the whole table of registration `djh` from the header on, then ends the
// print document. Failures are added to `errors`; the table goes on after them.
void Print_Quality_Table(PrintSurface& printer, const QSqlDatabase& db, const QString& djh,
                         QList<Db::Error>& errors);

// Table font: 宋体 9 point.
void Set_Table_Font(PrintSurface& printer);

} // namespace Module_PrintTable
