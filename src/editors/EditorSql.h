#pragma once

#include "platform/Database.h"

#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <optional>

namespace editors {

// Small pieces the editors' database routines share.
namespace EditorSql {

// A column value as text, Null as the empty text.
QString text(const QVariant& value);

// The error a read loop met after its last row, if any.
std::optional<Db::Error> readError(const QSqlQuery& query, const QString& source);

} // namespace EditorSql

} // namespace editors
