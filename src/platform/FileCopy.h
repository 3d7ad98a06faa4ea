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

// Puts the finished file `from` in place as `to` with one rename, replacing `to`,
// unless the gate (FileGate) protects `to` or one of its side files: its refusal is
// then the error. Side files that a killed writer left beside `to` go with the old
// file once SQLite has rolled its change back; where it cannot (a file that may
// not be written, another program's locks on it), `to` is refused and left with
// them as it was.
// The file in place keeps the permissions of the file it replaces; when
// `permissionsOf` names an existing file, it takes that file's permissions instead
// (a copy of a database gets the database's own). On failure `from` is left as it
// is, `error` says why and `cause` is the system's error (an errno value).
bool putInPlace(const QString& from, const QString& to, QString* error = nullptr,
                const QString& permissionsOf = QString(), int* cause = nullptr);

} // namespace FileCopy
