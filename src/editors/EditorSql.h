#pragma once

#include "platform/Database.h"

#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <optional>

namespace editors {

// Small pieces the editors' database routines share.
namespace EditorSql {

// The condition of a registration's own 资源储量 rows. A row that deducts from another
// registration names it in 原登记号 (and, once checked, its mining area in 扣矿区编号);
// the printed table leaves such rows out, and the editors neither show, move nor
// write them, so every column of a deduction stays as stored.
inline const QString OwnReserveRows = QStringLiteral("扣矿区编号 is null and 原登记号 is null");

// " where " and the condition of the own 资源储量 rows of one ore row key; `values`
// takes the values it binds.
QString ownReserveRowsOf(const QString& djh, int mineral, int object, int type, int grade,
                         QVariantList* values);

// A column value as text, Null as the empty text.
QString text(const QVariant& value);

// The error a read loop met after its last row, if any.
std::optional<Db::Error> readError(const QSqlQuery& query, const QString& source);

} // namespace EditorSql

} // namespace editors
