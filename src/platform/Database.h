#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

#include <functional>
#include <optional>

class QObject;
struct sqlite3;
struct sqlite3_stmt;

// The database layer: every database file of the program is an SQLite file opened
// under a connection name of its own. Values always travel as bound parameters;
// table and column names come from fixed lists in the code.
namespace Db {

// A failure as the generic error box shows it.
struct Error
{
    int number = 0;
    QString source;
    QString description;
    bool isSet() const { return number != 0 || !description.isEmpty(); }
};

enum class OpenMode { ReadOnly, ReadWrite };

// Opens the file at `path` under `connectionName` (replacing a connection of that
// name). The file must exist: opening never creates a file. The database is probed
// so that a file which is not an SQLite database fails here.
bool open(const QString& connectionName, const QString& path, OpenMode mode, Error* error = nullptr);

// Closes and removes the named connection (no-op when there is none).
void close(const QString& connectionName);

QSqlDatabase connection(const QString& connectionName);
bool isOpen(const QString& connectionName);

// A connection that lives only for one scope; the name is made unique.
class ScopedConnection
{
public:
    ScopedConnection(const QString& baseName, const QString& path, OpenMode mode);
    ~ScopedConnection();
    ScopedConnection(const ScopedConnection&) = delete;
    ScopedConnection& operator=(const ScopedConnection&) = delete;

    bool ok() const { return m_ok; }
    const Error& error() const { return m_error; }
    QSqlDatabase db() const;
    const QString& name() const { return m_name; }

private:
    QString m_name;
    bool m_ok = false;
    Error m_error;
};

// The error of `e` as the generic box shows it: the plain cause in Chinese where
// the result code tells one, else SQLite's own text.
Error errorOf(const QSqlError& e, const QString& source);

// The plain cause in Chinese of an SQLite result code (primary or extended), empty
// when the code tells none worth adding.
QString plainCause(int sqliteCode);

// The system's error (an errno value) behind the failure `e` of a statement on `db`
// that could not write a file: ENOSPC for a full disk, the error SQLite met for a
// failed write (EIO when it kept none); 0 for any other failure. To be asked before
// the next statement on `db`.
int writeFailureCause(const QSqlDatabase& db, const Error& e);

// The failure `e` of a statement on `db` as its caller is to see it: errorOf, except
// that a write the file of `db` would not take (a full disk, a file-size limit, a
// failing disk) is said as every file written is, "无法写入文件：", the file and the
// system's cause; and that a write stopped because writes on the connection were
// refused (refuseWrites) fails with the reason of the refusal. The number stays
// SQLite's. To be made before the next statement on `db`; exec(), Rows and
// TransactionGuard make their failures so.
Error failureOf(const QSqlDatabase& db, const QSqlError& e, const QString& source);

// SQLite's own handle of the connection, for the few calls Qt does not offer; null
// when the connection has none.
sqlite3* sqliteHandle(const QSqlDatabase& db);

// Whether a transaction is open on the connection.
bool inTransaction(const QSqlDatabase& db);

// SQLITE_READONLY_ROLLBACK: the file has a hot journal, which a writer that died in
// the middle of a change left, and this connection may not roll it back.
constexpr int ReadOnlyRollback = 8 | (3 << 8);

// To be called after the last row of a read loop. True when the rows ran out; false,
// with *error set, when a failure (a damaged or vanished file) ended the loop early,
// so that no caller takes part of the rows for all of them.
bool finished(const QSqlQuery& q, Error* error = nullptr);

// SQLite's quick check of the whole file. False, with *error describing the first
// damage found, when the file is damaged.
bool checkIntegrity(const QSqlDatabase& db, Error* error = nullptr);

// The check that is quick whatever the size of the file: its header and schema can
// be read and every table gives its first row. False, with *error, when
// that much is damaged; damage further in is left to checkIntegrity.
bool checkStructure(const QSqlDatabase& db, Error* error = nullptr);

// Runs checkIntegrity on the file at `path` in a thread of its own, on a connection
// of its own opened read-only there, and calls `done` with the verdict in the main
// thread. A check still running when the application ends is waited for.
void checkIntegrityInBackground(const QString& path,
                                std::function<void(bool sound, const Error& error)> done);

// Waits until every check begun by checkIntegrityInBackground has ended; their verdicts
// are then posted to the main thread, not yet delivered.
void waitForBackgroundChecks();

// From now on the named connection writes nothing: every TransactionGuard on it fails
// to begin, and every statement through exec() that would write fails, both with
// `why` (whatever the statement: a change, a new index, a copy by VACUUM INTO).
// Closing the connection ends it.
void refuseWrites(const QString& connectionName, const Error& why);

// Creates each index of `reference` (by name) that `db` lacks on a table that `db`
// has, in one write transaction. False, with *error, when that failed; nothing is
// then created.
bool addMissingIndexes(const QSqlDatabase& db, const QSqlDatabase& reference, Error* error = nullptr);

// Whether a write to the file would succeed: a change is begun and rolled back, so
// the file stays as it is. False, with *error telling why, for a read-only file or
// folder, a vanished file or a full disk.
bool probeWrite(const QSqlDatabase& db, Error* error = nullptr);

// The first table or column of `reference` that `db` lacks: empty table when none
// is missing, empty column when the whole table is. Only the tables `among` are
// compared when it is given.
struct MissingColumn
{
    QString table;
    QString column;
    bool isSet() const { return !table.isEmpty(); }
};
MissingColumn firstMissingColumn(const QSqlDatabase& db, const QSqlDatabase& reference,
                                 const QStringList& among = {});

// An error that no caller takes: the handler shows it (the program's handler is the
// generic error box, installed by ErrorBox); without one it goes to the log.
void reportUnhandled(const Error& error);
void setUnhandledErrorHandler(void (*handler)(const Error&));

// Runs one statement with positional bound values. Returns the active query on
// success (positioned before the first row).
std::optional<QSqlQuery> exec(const QSqlDatabase& db, const QString& sql, const QVariantList& values = {},
                              Error* error = nullptr);

// Many rows read fast: one statement stepped straight through SQLite on the
// connection, each value read only when asked for, as SQLite's own UTF-8 text or as
// the value exec() would give, without a value object per field of every row. For
// the long lists of the navigation trees and the scans of the data check; everything
// else reads through exec(). Forward only; a view returned is valid until the next
// row.
class Rows
{
public:
    Rows(const QSqlDatabase& db, const QString& sql, const QVariantList& values = {});
    ~Rows();
    Rows(const Rows&) = delete;
    Rows& operator=(const Rows&) = delete;

    // The storage class of a value, as SQLite keeps it.
    enum class Kind { Integer = 1, Real = 2, Text = 3, Blob = 4, Null = 5 };

    // The next row; false after the last one and on a failure (finished() tells).
    bool next();
    int columnCount() const;
    // The value of a column of the current row as text; empty for Null.
    QUtf8StringView text(int column) const;
    bool isNull(int column) const;
    Kind kind(int column) const;
    // The value of a column of the current row as exec() reads it: an integer as
    // qint64, a real as double, a text as QString, a blob as QByteArray, Null as a
    // null QString. For the few values a caller looks at; others stay unconverted.
    QVariant value(int column) const;
    // Whether the statement ran to its end; the failure otherwise, as exec() reports it.
    bool finished(Error* error = nullptr) const;

private:
    void fail(sqlite3* connection);

    sqlite3_stmt* m_stmt = nullptr;
    bool m_failed = false;
    bool m_done = false;
    Error m_error;
    QString m_file; // the database file of the connection, named by a failed write
};

// First column of the first row, or an invalid QVariant when there is no row.
QVariant scalar(const QSqlDatabase& db, const QString& sql, const QVariantList& values = {},
                Error* error = nullptr);

// Attaches the database file at `path` to the open connection under `alias`. A file
// attached ReadOnly is never written, whatever the connection runs. The file must
// exist: attaching never creates a file.
bool attach(const QSqlDatabase& db, const QString& path, const QString& alias, OpenMode mode,
            Error* error = nullptr);
bool detach(const QSqlDatabase& db, const QString& alias, Error* error = nullptr);

// Every database file open under a connection of the program, attached ones
// included, as it was opened (absolute, links not resolved).
QStringList filesInUse();

// A table or column name quoted for SQL text: in double quotes, each double quote
// inside doubled.
QString quotedName(const QString& name);

QStringList tableNames(const QSqlDatabase& db);
bool hasTable(const QSqlDatabase& db, const QString& table);

// A write transaction; rolls back unless commit() was called. It begins with BEGIN
// IMMEDIATE, so that the write lock is taken at once and a second writer makes it
// wait up to the connection's busy timeout instead of failing midway.
class TransactionGuard
{
public:
    explicit TransactionGuard(QSqlDatabase db);
    ~TransactionGuard();
    TransactionGuard(const TransactionGuard&) = delete;
    TransactionGuard& operator=(const TransactionGuard&) = delete;

    bool started() const { return m_started; }
    // Why the transaction did not start, under `source`.
    Error beginError(const QString& source) const;
    bool commit(Error* error = nullptr);

private:
    bool run(const char* statement, Error* error);

    QSqlDatabase m_db;
    bool m_started = false;
    bool m_done = false;
    Error m_beginError;
};

} // namespace Db
