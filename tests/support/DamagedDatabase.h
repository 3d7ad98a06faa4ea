#pragma once

#include <QString>

// Database files that went wrong on disk, for the tests of what the program does
// with them.
namespace DamagedDatabase {

// A copy of the template at `target` with `count` sample registrations, then a run
// of its pages in the middle overwritten with noise, as a failing disk or an
// interrupted copy leaves a file. Returns false when the file could not be made.
bool make(const QString& templatePath, const QString& target, int count);

// Overwrites one leaf page in the middle of the b-tree `name` (a table or an index)
// with noise, so that a scan along it ends part way. False when the page is not found.
bool damageMiddleLeaf(const QString& file, const QString& name);

// Overwrites the root page of the b-tree `name` (a table or an index) with noise, so
// that not even its first row can be read. False when the page is not found.
bool damageRoot(const QString& file, const QString& name);

// Overwrites `length` bytes of `file` from `offset` with noise.
bool overwrite(const QString& file, qint64 offset, qint64 length);

// Marks the file as written in a newer file format, which SQLite reads but never
// writes: a read-only file that even the superuser cannot write.
bool markReadOnly(const QString& file);

// A copy of `file` at `target` as a writer that died in the middle of a change
// leaves it: part of the change written into the file, and its hot journal
// (target + "-journal") holding what the file held before. `file` is unchanged.
bool leaveHotJournal(const QString& file, const QString& target);

} // namespace DamagedDatabase
