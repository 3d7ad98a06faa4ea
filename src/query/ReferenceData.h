#pragma once

#include "platform/Database.h"
#include "platform/Result.h"
#include "registration/record/EntryValues.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

// Starting an overlay registration from an identified (查明) or occupied (占用)
// registration of the working database: the list a clerk picks from, and the
// values of the picked registration as the entry window shows them. Nothing here
// writes to the database.
namespace query {

enum class ReferenceKind { Identified, Occupied };

// "查明" or "占用".
QString Kind_Table(ReferenceKind kind);

// One row of the pick list: 登记号, the holder of the right (探矿权人 or 采矿权人),
// 矿区名称, 矿区编号 and 行政区代码, a Null column as the empty text.
struct ReferenceItem
{
    QString djh;
    QString holder;
    QString areaName;
    QString areaNumber;
    QString regionCode;

    bool operator==(const ReferenceItem&) const = default;
};

// Every registration of the kind table, in the order the database returns them.
Result<QList<ReferenceItem>> Load_Reference_List(const QSqlDatabase& db, ReferenceKind kind);

// What the take-over hands the entry window.
struct ReferenceValues
{
    // False when the registration has no 登记 row: the window is then left cleared,
    // with an empty number box, and counts as unchanged.
    bool found = false;
    // The texts of the four bound arrays: the cover and review data from 登记, the
    // second page from the kind row with the overlay-only fields empty, the report
    // page from 报告, areas and elevations from 坐标. The number box holds the
    // number the window showed before.
    EntryValues values;
    // 坐标.矿权坐标 and 坐标.计算坐标 in the line form the coordinate grids load.
    QString areaLines;
    QString calcLines;
    // The failures met on the way; each step goes on after its failure.
    QList<Db::Error> errors;
};

// Reads registration `djh` of the kind and turns it into the values of an overlay
// registration to be completed; `keptNumber` is the number the entry window showed.
ReferenceValues Copy_Reference_Data(const QSqlDatabase& db, ReferenceKind kind, const QString& djh,
                                    const QString& keptNumber);

} // namespace query
