#pragma once

#include "platform/Result.h"

#include <QSqlDatabase>
#include <QString>

// Files that exchanges write: every new file is made under a temporary name in the
// folder of its target and renamed into place only when complete, so a failure
// leaves the target as it was.
namespace exchange {

// Removes a temporary file and the journal SQLite may have left beside it.
void removeTemporary(const QString& path);

// Puts the finished temporary file `from` in place as `to` (NewFile::place); on
// failure `from` and its journal are removed (removeTemporary), and the error names
// `to`.
Status replaceFile(const QString& from, const QString& to, const QString& permissionsOf = QString());

// True when both paths name the same existing file.
bool sameFile(const QString& a, const QString& b);

// Copies the database open on `db` to `target` with VACUUM INTO, through a
// temporary file beside the target (an existing target is replaced). The copy has
// the permissions of the database file.
Status backupDatabase(const QSqlDatabase& db, const QString& target);

} // namespace exchange
