#pragma once

#include <QString>

namespace FileCopy {

// Copies `source` to `target` through a temporary file in the target's folder that
// is renamed into place only when complete; an existing target is replaced only
// when `overwrite` is set.
bool copyFile(const QString& source, const QString& target, bool overwrite = false, QString* error = nullptr);

// Copies `source` to a temporary file of ours in the folder of `target`, written
// through to the disk, and answers its path (the caller puts it in place or removes
// it); empty on failure, with `error` naming the file that could not be read or
// `target` and the cause.
QString copyToTemporary(const QString& source, const QString& target, QString* error = nullptr);

// Puts the finished file `from` in place as `to` with one rename, replacing `to`.
// The file in place keeps the permissions of the file it replaces; when
// `permissionsOf` names an existing file, it takes that file's permissions instead
// (a copy of a database gets the database's own). On failure `from` is left as it
// is, `error` says why and `cause` is the system's error (an errno value).
bool putInPlace(const QString& from, const QString& to, QString* error = nullptr,
                const QString& permissionsOf = QString(), int* cause = nullptr);

// True when the two paths name the same file once each is taken to its real path:
// relative to the current folder, every link and "." and ".." resolved. A path
// that does not exist yet is resolved as far as it goes, so it may still be a file
// that exists through a link or "..", and a link counts as the file it points to.
// Two names of one file (hard links) are the same file too. An empty path names
// nothing.
bool sameFile(const QString& a, const QString& b);

// True when `path` is the working database `database` or the template
// `templatePath` (sameFile): a file the clerk names as an output must be neither.
bool isDatabaseOrTemplate(const QString& path, const QString& database, const QString& templatePath);

} // namespace FileCopy
