#include "Database.h"

#include <QAtomicInt>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlRecord>
#include <QUrl>

namespace Db {

namespace {
const char* const kDriver = "QSQLITE";
}

Error errorOf(const QSqlError& e, const QString& source)
{
    Error err;
    bool ok = false;
    int native = e.nativeErrorCode().toInt(&ok);
    err.number = ok && native != 0 ? native : -1;
    err.source = source;
    err.description = e.text().trimmed();
    if (err.description.isEmpty()) err.description = QStringLiteral("未知的数据库错误");
    return err;
}

bool open(const QString& connectionName, const QString& path, OpenMode mode, Error* error)
{
    close(connectionName);
    auto fail = [&](int number, const QString& description) {
        if (error) *error = Error{number, QStringLiteral("SQLite"), description};
        close(connectionName);
        return false;
    };
    QFileInfo info(path);
    if (path.isEmpty() || !info.exists() || !info.isFile())
        return fail(53, QStringLiteral("找不到数据库文件: %1").arg(path));
    if (!QSqlDatabase::isDriverAvailable(QString::fromLatin1(kDriver)))
        return fail(-1, QStringLiteral("没有可用的 SQLite 数据库驱动"));

    QSqlDatabase db = QSqlDatabase::addDatabase(QString::fromLatin1(kDriver), connectionName);
    db.setDatabaseName(info.absoluteFilePath());
    // URI names let attach() open other files read-only; a plain path is unaffected.
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=3000;QSQLITE_OPEN_URI");
    if (mode == OpenMode::ReadOnly) options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    db.setConnectOptions(options);
    if (!db.open()) {
        Error e = errorOf(db.lastError(), QStringLiteral("SQLite"));
        db = QSqlDatabase();
        close(connectionName);
        if (error) *error = e;
        return false;
    }
    // A file that is not an SQLite database opens without complaint; the first
    // read tells.
    QSqlQuery probe(db);
    if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
        Error e = errorOf(probe.lastError(), QStringLiteral("SQLite"));
        probe = QSqlQuery();
        db.close();
        db = QSqlDatabase();
        close(connectionName);
        if (error) *error = e;
        return false;
    }
    probe.finish();
    if (mode == OpenMode::ReadWrite) {
        QSqlQuery pragma(db);
        pragma.exec(QStringLiteral("PRAGMA foreign_keys=OFF"));
    }
    return true;
}

void close(const QString& connectionName)
{
    if (!QSqlDatabase::contains(connectionName)) return;
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName, false);
        if (db.isOpen()) db.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
}

QSqlDatabase connection(const QString& connectionName)
{
    return QSqlDatabase::database(connectionName, false);
}

bool isOpen(const QString& connectionName)
{
    return QSqlDatabase::contains(connectionName) && connection(connectionName).isOpen();
}

ScopedConnection::ScopedConnection(const QString& baseName, const QString& path, OpenMode mode)
{
    static QAtomicInt counter;
    m_name = baseName + QLatin1Char('#') + QString::number(counter.fetchAndAddRelaxed(1));
    m_ok = open(m_name, path, mode, &m_error);
}

ScopedConnection::~ScopedConnection()
{
    close(m_name);
}

QSqlDatabase ScopedConnection::db() const
{
    return connection(m_name);
}

std::optional<QSqlQuery> exec(const QSqlDatabase& db, const QString& sql, const QVariantList& values, Error* error)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(sql)) {
        if (error) *error = errorOf(q.lastError(), QStringLiteral("SQLite"));
        return std::nullopt;
    }
    for (int i = 0; i < values.size(); ++i) q.bindValue(i, values.at(i));
    if (!q.exec()) {
        if (error) *error = errorOf(q.lastError(), QStringLiteral("SQLite"));
        return std::nullopt;
    }
    return q;
}

QVariant scalar(const QSqlDatabase& db, const QString& sql, const QVariantList& values, Error* error)
{
    auto q = exec(db, sql, values, error);
    if (!q || !q->next()) return QVariant();
    return q->value(0);
}

bool attach(const QSqlDatabase& db, const QString& path, const QString& alias, OpenMode mode, Error* error)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists() || !info.isFile()) {
        if (error) *error = Error{53, QStringLiteral("SQLite"), QStringLiteral("找不到数据库文件: %1").arg(path)};
        return false;
    }
    QUrl uri = QUrl::fromLocalFile(info.absoluteFilePath());
    uri.setQuery(mode == OpenMode::ReadOnly ? QStringLiteral("mode=ro") : QStringLiteral("mode=rw"));
    // The alias is the caller's fixed name, never user text.
    if (!exec(db, QStringLiteral("ATTACH DATABASE ? AS ") + alias, {uri.toString(QUrl::FullyEncoded)}, error))
        return false;
    // A file that is not an SQLite database attaches without complaint; the first read tells.
    if (!exec(db, QStringLiteral("SELECT count(*) FROM ") + alias + QStringLiteral(".sqlite_master"), {}, error)) {
        exec(db, QStringLiteral("DETACH DATABASE ") + alias);
        return false;
    }
    return true;
}

bool detach(const QSqlDatabase& db, const QString& alias, Error* error)
{
    return exec(db, QStringLiteral("DETACH DATABASE ") + alias, {}, error).has_value();
}

QStringList tableNames(const QSqlDatabase& db)
{
    QStringList names;
    auto q = exec(db, QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' ORDER BY name"));
    if (!q) return names;
    while (q->next()) names << q->value(0).toString();
    return names;
}

bool hasTable(const QSqlDatabase& db, const QString& table)
{
    // Exact text, as a table name is matched everywhere in the program.
    return tableNames(db).contains(table);
}

TransactionGuard::TransactionGuard(QSqlDatabase db) : m_db(std::move(db))
{
    m_started = m_db.isOpen() && m_db.transaction();
}

TransactionGuard::~TransactionGuard()
{
    if (m_started && !m_done) m_db.rollback();
}

bool TransactionGuard::commit(Error* error)
{
    if (!m_started || m_done) {
        if (error) *error = Error{-1, QStringLiteral("SQLite"), QStringLiteral("没有可提交的事务")};
        return false;
    }
    if (!m_db.commit()) {
        if (error) *error = errorOf(m_db.lastError(), QStringLiteral("SQLite"));
        m_db.rollback();
        m_done = true;
        return false;
    }
    m_done = true;
    return true;
}

} // namespace Db
