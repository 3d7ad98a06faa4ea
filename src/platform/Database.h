#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

#include <optional>

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

Error errorOf(const QSqlError& e, const QString& source);

// Runs one statement with positional bound values. Returns the active query on
// success (positioned before the first row).
std::optional<QSqlQuery> exec(const QSqlDatabase& db, const QString& sql, const QVariantList& values = {},
                              Error* error = nullptr);

// First column of the first row, or an invalid QVariant when there is no row.
QVariant scalar(const QSqlDatabase& db, const QString& sql, const QVariantList& values = {},
                Error* error = nullptr);

// Attaches the database file at `path` to the open connection under `alias`. A file
// attached ReadOnly is never written, whatever the connection runs. The file must
// exist: attaching never creates a file.
bool attach(const QSqlDatabase& db, const QString& path, const QString& alias, OpenMode mode,
            Error* error = nullptr);
bool detach(const QSqlDatabase& db, const QString& alias, Error* error = nullptr);

QStringList tableNames(const QSqlDatabase& db);
bool hasTable(const QSqlDatabase& db, const QString& table);

// Rolls back unless commit() was called.
class TransactionGuard
{
public:
    explicit TransactionGuard(QSqlDatabase db);
    ~TransactionGuard();
    TransactionGuard(const TransactionGuard&) = delete;
    TransactionGuard& operator=(const TransactionGuard&) = delete;

    bool started() const { return m_started; }
    bool commit(Error* error = nullptr);

private:
    QSqlDatabase m_db;
    bool m_started = false;
    bool m_done = false;
};

} // namespace Db
