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

// Writes the finished temporary file `from` through to the disk and renames it to
// `to`, replacing `to`; `from` is removed on failure (removeTemporary), and a
// failure names `to`. The file keeps the permissions of the one it replaces, or
// takes those of `permissionsOf` when that file exists (FileCopy::putInPlace).
Status replaceFile(const QString& from, const QString& to, const QString& permissionsOf = QString());

// True when both paths name the same existing file.
bool sameFile(const QString& a, const QString& b);

// Copies the database open on `db` to `target` with VACUUM INTO, through a
// temporary file beside the target (an existing target is replaced). The copy has
// the permissions of the database file.
Status backupDatabase(const QSqlDatabase& db, const QString& target);

} // namespace exchange
