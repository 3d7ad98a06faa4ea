#pragma once

#include "platform/Result.h"

#include <QSqlDatabase>
#include <QString>

#include <functional>

// Files that exchanges write: every new file is made under a temporary name in the
// folder of its target and renamed into place only when complete, so a failure
// leaves the target as it was.
namespace exchange {

// The target of an export must be neither the working database it reads nor the
// template (FilePaths::isDatabaseOrTemplate): it is refused, failing with `source`
// and databaseOrTemplateMessage(), before anything is written.
Status refuseDatabaseOrTemplate(const QString& target, const QString& workingDatabase,
                                const QString& templatePath, const QString& source);
// What every refusal of such a target says, the export dialogs' as well.
QString databaseOrTemplateMessage();

// Makes `target` from a copy of the template at `templatePath`: the copy, made
// beside the target, is opened read-write and given to `fill`, and put in place
// (NewFile::place) when `fill` succeeds; on any failure it is removed and the target
// left as it was. A template that cannot be copied fails with `source`, and so does
// a copy that `fill` could not write to (a full disk, a file-size limit), naming
// the target and the cause; any other failure of `fill` is answered as it is.
Status fillFromTemplate(const QString& templatePath, const QString& target, const QString& source,
                        const std::function<Status(const QSqlDatabase&)>& fill);

// Copies the database open on `db` to `target` (an existing target is replaced):
// the bytes of its file, read under SQLite's read lock (Db::copyDatabaseFile), or
// where they are not the whole database (WAL mode) with VACUUM INTO, through a
// temporary file beside the target. The copy has the permissions of the database
// file. A copy that cannot be written fails naming the target and the cause, a file
// that cannot be read names the database; any other failure is the database's own.
Status backupDatabase(const QSqlDatabase& db, const QString& target);

} // namespace exchange
