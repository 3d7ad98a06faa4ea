#pragma once

#include "Result.h"

#include <QSqlDatabase>
#include <QString>

#include <functional>

namespace Db {

// Copies the database open on `db` to `target` as the bytes of its file, as fast as
// a copy of the file. The bytes are read under SQLite's read lock, taken on `db`:
// a read-write connection first rolls back a change that a killed writer left half
// made, and no other program can change the file until the copy is complete (a
// writer that only holds the write lock does not stop the copy, the file holds the
// last committed state). They are read through SQLite's own handle of the file: a
// descriptor of ours would drop SQLite's locks when it is closed. The copy is made
// through NewFile and has the permissions of the database file. A transaction open
// on `db` is copied inside and left open; one begun here ends with the copy.
//
// A database whose file is not the whole of it (WAL mode, or a change of the open
// transaction), or that has no file SQLite reads, is not copied: *possible is then
// false, nothing is written and the result is a success. Otherwise *possible is
// true. A write the disk would not take fails naming `target` and the cause, a read
// that fails names the database, both under `source`; a failure to take the read
// lock is the database's own.
Status copyDatabaseFile(const QSqlDatabase& db, const QString& target, const QString& source, bool* possible);

// The size of the pieces the bytes are read and written in (4 MiB), and a call made
// after each piece is written (none). A test makes the pieces small and has another
// program write between them; 0 and nullptr put the defaults back.
void setCopyPieces(qint64 size, std::function<void()> afterPiece);

} // namespace Db
