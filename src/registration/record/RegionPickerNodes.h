#pragma once

#include "platform/Result.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

// The nodes of the region picker TreeView2, read from the region table cb08.
namespace RegionPickerNodes {

// A node of the picker: its key, its text and the key of its parent (empty for a
// province). Lists are in adding order, parents before their children.
struct Node
{
    QString key;
    QString text;
    QString parentKey;

    bool operator==(const Node&) const = default;
};
using Nodes = QList<Node>;

// The text of the placeholder child that marks a city whose counties are not loaded.
inline const QString Placeholder = QStringLiteral("NULL");

// The province of `provinceCode` (its first two characters) and its cities: a
// province node "A" + 2 digits, under it a node "B" + 4 digits per city with one
// placeholder child ("C" + a running number, text "NULL"). Codes beginning with
// "20" or "30" are left out, and a code ending in "0000" that begins with "10" makes
// no province node. A county whose city has no row of its own (a municipality's
// districts, a county governed by the province itself) is added directly under the
// province as "C" + its 6-digit code, since no city would ever list it. A table that
// cannot be read gives its error.
Result<Nodes> Load_Region_Picker(const QSqlDatabase& db, int provinceCode);

// The counties of the city node `cityKey` ("B" + 4 digits): "C" + code, the name,
// the city as parent, in code order.
Result<Nodes> Load_Counties(const QSqlDatabase& db, const QString& cityKey);

// The key of the node that the region `code` (6 digits) hangs under: its city, "B"
// + 4 digits, when the region table lists the city; else its province, "A" + 2
// digits (a municipality's districts, a county governed by the province itself).
QString Parent_Key(const QString& code, bool cityListed);

// What a click on a node writes into the region code box: the node's key without
// its letter, followed by three blanks.
QString Region_Box_Text(const QString& key);

} // namespace RegionPickerNodes
