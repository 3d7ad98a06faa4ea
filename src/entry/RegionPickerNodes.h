#pragma once

#include "NAVIGATE.h"

#include "platform/Database.h"

#include <QSqlDatabase>
#include <QString>

// The nodes of the region picker TreeView2, read from the region table cb08.
namespace RegionPickerNodes {

// The text of the placeholder child that marks a city whose counties are not loaded.
inline const QString Placeholder = QStringLiteral("NULL");

// The province of `provinceCode` (its first two characters) and its cities: a
// province node "A" + 2 digits, under it a node "B" + 4 digits per city with one
// placeholder child ("C" + a running number, text "NULL"). Codes beginning with
// "20" or "30" are left out, and a code ending in "0000" that begins with "10" makes
// no province node. A county whose city has no row of its own (a municipality's
// districts, a county governed by the province itself) is added directly under the
// province as "C" + its 6-digit code, since no city would ever list it. A table that
// cannot be read gives no nodes and `error`.
TreeNodes Load_Region_Picker(const QSqlDatabase& db, int provinceCode, Db::Error* error = nullptr);

// The counties of the city node `cityKey` ("B" + 4 digits): "C" + code, the name,
// the city as parent, in code order.
TreeNodes Load_Counties(const QSqlDatabase& db, const QString& cityKey, Db::Error* error = nullptr);

// What a click on a node writes into the region code box: the node's key without
// its letter, followed by three blanks.
QString Region_Box_Text(const QString& key);

} // namespace RegionPickerNodes
