#pragma once

#include "platform/Result.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <functional>

// The new file of a run, the copy of the old tables into it and the replacement of
// the target. The new file is a copy of the template; it stays hidden beside its
// target while the run works on it and is renamed onto the target at the end.
namespace NewDatabase {

// The folder part of a path, up to and including its last separator; the empty text
// when the path holds none.
QString StripPathName(const QString& path);

// The hidden work file in `folder` for a run started at `when`:
// ".yyyy年MM月dd日HH时mm分ss秒.mdb", with a number added when that name is taken.
QString newFileName(const QString& folder, const QDateTime& when);

// Copies the template to a new work file beside `target` and answers its path; a
// failure names `target` and the cause. Work files that killed runs left in that
// folder, and their journals, are removed first (NewFile::removeStale).
Result<QString> createNewDb(const QString& templatePath, const QString& target, const QDateTime& when);

// Appends the rows of `tables` of the database attached as `sourceAlias` into the same
// tables of the connection's own database, column by column name; columns the old
// table lacks stay empty, a column the new structure lacks fails. Then clears the two
// obsolete codes of 报告 in the new rows. `step` is told after each table.
Status copyTables(const QSqlDatabase& db, const QString& sourceAlias, const QStringList& tables,
                  const std::function<void()>& step = {});

// Renames the work file onto the target in one step (the old target, which may be the
// source itself, is replaced, never deleted first); it keeps the replaced file's
// permissions, a new target those of a new database.
Status replaceTarget(const QString& newPath, const QString& target);

} // namespace NewDatabase
