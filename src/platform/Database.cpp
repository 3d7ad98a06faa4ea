#include "Database.h"

#include "FileError.h"
#include "FileMark.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QPointer>
#include <QSet>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlRecord>
#include <QThread>
#include <QUrl>

#include <sqlite3.h>

#include <cerrno>

namespace Db {

namespace {
const char* const kDriver = "QSQLITE";
void (*g_unhandled)(const Error&) = nullptr;

// The connections whose writes are refused, with the reason; and the threads of the
// background checks still running. Both are kept under one lock.
QMutex g_lock;
QHash<QString, Error> g_refused;
QList<QPointer<QThread>> g_checks;
// The files each connection has open: its own under "main", the attached ones
// under their aliases; each as it was opened, with the mark that says it is in use.
struct OpenFile
{
    QString path;
    std::optional<FileMark::Id> mark;
};
QHash<QString, QHash<QString, OpenFile>> g_files;

// Marks the file `path` as open before SQLite opens it; the mark is let go by
// dropFile, or by forgetFiles once SQLite has closed the file.
void keepFile(const QString& connectionName, const QString& alias, const QString& path)
{
    const std::optional<FileMark::Id> mark = FileMark::take(path, FileMark::Use::Open);
    QMutexLocker lock(&g_lock);
    const OpenFile replaced = g_files[connectionName].take(alias);
    g_files[connectionName].insert(alias, OpenFile{path, mark});
    lock.unlock();
    if (replaced.mark) FileMark::release(*replaced.mark, FileMark::Use::Open);
}

// Lets the file attached under `alias` go, once SQLite has let it go.
void dropFile(const QString& connectionName, const QString& alias)
{
    QMutexLocker lock(&g_lock);
    auto it = g_files.find(connectionName);
    if (it == g_files.end()) return;
    const OpenFile dropped = it->take(alias);
    if (it->isEmpty()) g_files.erase(it);
    lock.unlock();
    if (dropped.mark) FileMark::release(*dropped.mark, FileMark::Use::Open);
}

// The files of a connection, taken out of the list; their marks are let go by
// letGo once SQLite has closed them.
QHash<QString, OpenFile> forgetFiles(const QString& connectionName)
{
    QMutexLocker lock(&g_lock);
    return g_files.take(connectionName);
}

void letGo(const QHash<QString, OpenFile>& files)
{
    for (const OpenFile& file : files)
        if (file.mark) FileMark::release(*file.mark, FileMark::Use::Open);
}

} // namespace

void waitForBackgroundChecks()
{
    QList<QPointer<QThread>> running;
    {
        QMutexLocker lock(&g_lock);
        running.swap(g_checks);
    }
    for (const QPointer<QThread>& t : running)
        if (t) t->wait();
}

void reportUnhandled(const Error& error)
{
    if (g_unhandled)
        g_unhandled(error);
    else
        qWarning("%s: %s", qUtf8Printable(error.source), qUtf8Printable(error.description));
}

void setUnhandledErrorHandler(void (*handler)(const Error&))
{
    g_unhandled = handler;
}

namespace {

// SQLite's failure `code` (-1 when there is none) with the plain cause where one is
// known: SQLite's English and the driver's step that failed ("无法获取行") would only
// mislead. `text` says it otherwise.
Error sqliteError(int code, const QString& text, const QString& source)
{
    QString description = code > 0 ? plainCause(code) : QString();
    if (description.isEmpty()) description = text;
    if (description.isEmpty()) description = QStringLiteral("未知的数据库错误");
    return Error{code, source, description};
}

// SQLite's own handle of the connection; null when there is none. It is used with the
// SQLite library this program links: the Qt SQLite driver must be built on that same
// shared library, as the system's is (a driver with SQLite built in would hand over a
// handle of another library).
sqlite3* handleOf(const QSqlDatabase& db)
{
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    return handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0
               ? *static_cast<sqlite3* const*>(handle.constData())
               : nullptr;
}

// writeFailureCause on SQLite's handle of the connection.
int writeFailureCause(sqlite3* handle, const Error& e)
{
    switch (e.number) {
    case SQLITE_FULL:
        return ENOSPC;
    case SQLITE_IOERR_WRITE:
    case SQLITE_IOERR_FSYNC:
    case SQLITE_IOERR_DIR_FSYNC:
    case SQLITE_IOERR_TRUNCATE: {
        // The system's error, which SQLite keeps until the next one.
        const int cause = handle ? sqlite3_system_errno(handle) : 0;
        return cause != 0 ? cause : EIO;
    }
    default:
        return 0;
    }
}

// The failure `e` of a statement on the connection `handle`, whose database file is
// `file`, with a write the file would not take said as failureOf says.
Error namedFailure(sqlite3* handle, const QString& file, Error e)
{
    // A database in memory has no file to name.
    const char* onDisk = handle ? sqlite3_db_filename(handle, "main") : nullptr;
    if (!onDisk || !*onDisk || file.isEmpty()) return e;
    if (const int cause = writeFailureCause(handle, e); cause != 0)
        e.description = FileError::text(file, cause);
    return e;
}

} // namespace

Error errorOf(const QSqlError& e, const QString& source)
{
    bool ok = false;
    const int native = e.nativeErrorCode().toInt(&ok);
    return sqliteError(ok && native != 0 ? native : -1, e.text().trimmed(), source);
}

QString plainCause(int sqliteCode)
{
    if (sqliteCode == ReadOnlyRollback)
        return QStringLiteral("数据库文件中留有另一个程序未完成的写入（该程序可能已中途退出），"
                              "须先由该程序或可写入此文件的程序打开一次，才能读取");
    // Primary result codes; an extended code carries its primary one in the low byte.
    switch (sqliteCode & 0xff) {
    case 3: // SQLITE_PERM
        return QStringLiteral("没有访问数据库文件的权限");
    case 5: // SQLITE_BUSY
    case 6: // SQLITE_LOCKED
        return QStringLiteral("数据库正被另一个程序使用（已锁定），请稍后再试");
    case 8: // SQLITE_READONLY
        return QStringLiteral("数据库文件只读，或文件所在的文件夹只读，或文件已被移走、删除，不能写入");
    case 10: // SQLITE_IOERR
        return QStringLiteral("读写数据库文件时出错，文件可能已被移走、删除或磁盘有故障");
    case 11: // SQLITE_CORRUPT
        return QStringLiteral("数据库文件已损坏");
    case 13: // SQLITE_FULL
        return QStringLiteral("磁盘已满");
    case 14: // SQLITE_CANTOPEN
        return QStringLiteral("找不到或打不开数据库文件，文件可能已被移走、删除或没有权限");
    case 26: // SQLITE_NOTADB
        return QStringLiteral("文件不是数据库文件");
    default:
        return QString();
    }
}

int writeFailureCause(const QSqlDatabase& db, const Error& e)
{
    return writeFailureCause(handleOf(db), e);
}

sqlite3* sqliteHandle(const QSqlDatabase& db)
{
    return handleOf(db);
}

bool inTransaction(const QSqlDatabase& db)
{
    sqlite3* handle = handleOf(db);
    return handle && sqlite3_get_autocommit(handle) == 0;
}

bool finished(const QSqlQuery& q, Error* error)
{
    const QSqlError e = q.lastError();
    if (e.type() == QSqlError::NoError) return true;
    if (error) *error = errorOf(e, QStringLiteral("SQLite"));
    return false;
}

bool checkIntegrity(const QSqlDatabase& db, Error* error)
{
    Error e;
    auto q = exec(db, QStringLiteral("PRAGMA quick_check(1)"), {}, &e);
    QString verdict;
    if (q && q->next()) verdict = q->value(0).toString();
    if (q && !finished(*q, &e)) q.reset();
    if (!q) {
        if (error) *error = e;
        return false;
    }
    if (verdict == QLatin1String("ok")) return true;
    // SQLite's own account of the damage (pages and cells, in English) would tell
    // the clerk nothing more than the plain cause.
    if (error)
        *error = Error{11, QStringLiteral("SQLite"),
                       QStringLiteral("完整性检查未通过（") + plainCause(11) + QStringLiteral("）")};
    return false;
}

namespace {

// The tables of `db`, in the order of their names, with the statements that made
// them (which SQLite keeps up to date through every change of a table's columns).
// Empty, with the failure in *error, when the schema cannot be read.
QList<QPair<QString, QString>> tableStatements(const QSqlDatabase& db, Error* error = nullptr)
{
    QList<QPair<QString, QString>> tables;
    auto q = exec(db, QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type='table' ORDER BY name"),
                  {}, error);
    if (!q) return tables;
    while (q->next())
        tables.append({q->value(0).toString(), q->value(1).toString()});
    if (!finished(*q, error)) return {};
    return tables;
}

} // namespace

bool checkStructure(const QSqlDatabase& db, Error* error)
{
    // Reading the schema reads the header and parses every statement of the schema;
    // the first row of a table, read along the table itself rather than along an
    // index, reads its root and the pages down to its first leaf. The tables are read
    // by one statement for each hundred of them.
    Error e;
    const QList<QPair<QString, QString>> tables = tableStatements(db, &e);
    if (e.isSet()) {
        if (error) *error = e;
        return false;
    }
    QStringList firstRows;
    for (const auto& [table, sql] : tables) {
        if (table.startsWith(QLatin1String("sqlite_"))) continue;
        firstRows << QStringLiteral("(SELECT 1 FROM %1 NOT INDEXED LIMIT 1)").arg(quotedName(table));
    }
    constexpr int kPerStatement = 100;
    for (qsizetype from = 0; from < firstRows.size(); from += kPerStatement) {
        auto q =
            exec(db, QStringLiteral("SELECT ") + firstRows.mid(from, kPerStatement).join(QLatin1Char(',')),
                 {}, &e);
        if (q) {
            q->next();
            if (!finished(*q, &e)) q.reset();
        }
        if (!q) {
            if (error) *error = e;
            return false;
        }
    }
    return true;
}

void checkIntegrityInBackground(const QString& path, std::function<void(bool sound, const Error& error)> done)
{
    QThread* thread = QThread::create([path, done = std::move(done)] {
        bool sound = false;
        Error e;
        {
            // A connection is used only in the thread that made it.
            ScopedConnection c(QStringLiteral("integrity"), path, OpenMode::ReadOnly);
            sound = c.ok() ? checkIntegrity(c.db(), &e) : false;
            if (!c.ok()) e = c.error();
        }
        QCoreApplication* app = QCoreApplication::instance();
        if (!app) return;
        QMetaObject::invokeMethod(
            app, [done, sound, e] { done(sound, e); }, Qt::QueuedConnection);
    });
    {
        QMutexLocker lock(&g_lock);
        static bool waiting = false;
        if (!waiting) qAddPostRoutine(waitForBackgroundChecks);
        waiting = true;
        g_checks.removeAll(QPointer<QThread>());
        g_checks.append(thread);
    }
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start(QThread::LowPriority);
}

void refuseWrites(const QString& connectionName, const Error& why)
{
    {
        QMutexLocker lock(&g_lock);
        g_refused.insert(connectionName, why);
    }
    // Single statements outside a transaction are stopped by SQLite itself.
    exec(connection(connectionName), QStringLiteral("PRAGMA query_only=ON"));
}

namespace {

// Whether writes on the connection were refused, with the reason in *why.
bool writesRefused(const QString& connectionName, Error* why)
{
    QMutexLocker lock(&g_lock);
    const auto it = g_refused.constFind(connectionName);
    if (it == g_refused.constEnd()) return false;
    if (why) *why = it.value();
    return true;
}

// The failure `e` of a statement on `db` as the caller is to see it: a write that
// SQLite stopped because writes on the connection were refused fails with the
// reason of the refusal, not with SQLite's "read-only".
Error refusalOr(const QSqlDatabase& db, const Error& e)
{
    Error why;
    if ((e.number & 0xff) == 8 && writesRefused(db.connectionName(), &why)) return why;
    return e;
}

} // namespace

Error failureOf(const QSqlDatabase& db, const QSqlError& e, const QString& source)
{
    return refusalOr(db, namedFailure(handleOf(db), db.databaseName(), errorOf(e, source)));
}

bool addMissingIndexes(const QSqlDatabase& db, const QSqlDatabase& reference, Error* error)
{
    Error e;
    QSet<QString> have;
    {
        auto q = exec(db, QStringLiteral("SELECT name FROM sqlite_master WHERE type='index'"), {}, &e);
        while (q && q->next())
            have.insert(q->value(0).toString());
        if (!q || !finished(*q, &e)) {
            if (error) *error = e;
            return false;
        }
    }
    const QStringList tables = tableNames(db);
    QStringList statements;
    {
        auto q = exec(reference,
                      QStringLiteral("SELECT name, tbl_name, sql FROM sqlite_master WHERE type='index' "
                                     "AND sql IS NOT NULL ORDER BY name"),
                      {}, &e);
        while (q && q->next())
            if (!have.contains(q->value(0).toString()) && tables.contains(q->value(1).toString()))
                statements << q->value(2).toString();
        if (!q || !finished(*q, &e)) {
            if (error) *error = e;
            return false;
        }
    }
    if (statements.isEmpty()) return true;
    TransactionGuard transaction(db);
    if (!transaction.started()) {
        if (error) *error = transaction.beginError(QStringLiteral("SQLite"));
        return false;
    }
    for (const QString& sql : statements)
        if (!exec(db, sql, {}, error)) return false;
    return transaction.commit(error);
}

bool probeWrite(const QSqlDatabase& db, Error* error)
{
    // Setting the schema's user version to itself writes a page into the journal and
    // the file; the rollback undoes it.
    Error e;
    const QVariant version = scalar(db, QStringLiteral("PRAGMA user_version"), {}, &e);
    bool ok = version.isValid();
    if (ok) ok = exec(db, QStringLiteral("BEGIN IMMEDIATE"), {}, &e).has_value();
    if (ok) {
        ok = exec(db, QStringLiteral("PRAGMA user_version=%1").arg(version.toLongLong()), {}, &e).has_value();
        exec(db, QStringLiteral("ROLLBACK"));
    }
    if (!ok && error) *error = e;
    return ok;
}

MissingColumn firstMissingColumn(const QSqlDatabase& db, const QSqlDatabase& reference,
                                 const QStringList& among)
{
    QHash<QString, QString> have;
    for (const auto& [table, sql] : tableStatements(db))
        have.insert(table, sql);
    for (const auto& [table, sql] : tableStatements(reference)) {
        if (table.startsWith(QLatin1String("sqlite_"))) continue;
        if (!among.isEmpty() && !among.contains(table)) continue;
        const auto it = have.constFind(table);
        if (it == have.constEnd()) return {table, QString()};
        // A table made by the same statement has the same columns.
        if (!sql.isEmpty() && it.value() == sql) continue;
        const QSqlRecord h = db.record(table);
        const QSqlRecord w = reference.record(table);
        for (int i = 0; i < w.count(); ++i)
            if (h.indexOf(w.fieldName(i)) < 0) return {table, w.fieldName(i)};
    }
    return {};
}

namespace {

bool openFile(const QString& connectionName, const QString& path, OpenMode mode, Error* error)
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

    // The file is marked in use before SQLite opens it, so that the mark's
    // descriptor is never one opened beside SQLite's.
    keepFile(connectionName, QStringLiteral("main"), info.absoluteFilePath());
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

// A writer that died in the middle of a change leaves a hot journal, which the
// first connection that may write to the file rolls back on its first read; one
// that only reads must refuse the file. The rollback is made through a connection
// of its own; false when the file may not be written.
bool rollBackHotJournal(const QString& path)
{
    return ScopedConnection(QStringLiteral("rollback"), path, OpenMode::ReadWrite).ok();
}

// Runs `attempt`; when a read-only attempt fails on a hot journal, the journal is
// rolled back where the file may be written and the attempt is made once more.
bool rollingBackHotJournal(const QString& path, OpenMode mode, Error* error,
                           const std::function<bool(Error*)>& attempt)
{
    Error e;
    if (attempt(&e)) return true;
    if (mode == OpenMode::ReadOnly && e.number == ReadOnlyRollback && rollBackHotJournal(path) && attempt(&e))
        return true;
    if (error) *error = e;
    return false;
}

} // namespace

bool open(const QString& connectionName, const QString& path, OpenMode mode, Error* error)
{
    return rollingBackHotJournal(path, mode, error,
                                 [&](Error* e) { return openFile(connectionName, path, mode, e); });
}

void close(const QString& connectionName)
{
    {
        QMutexLocker lock(&g_lock);
        g_refused.remove(connectionName);
    }
    const QHash<QString, OpenFile> files = forgetFiles(connectionName);
    if (QSqlDatabase::contains(connectionName)) {
        {
            QSqlDatabase db = QSqlDatabase::database(connectionName, false);
            if (db.isOpen()) db.close();
        }
        QSqlDatabase::removeDatabase(connectionName);
    }
    // Only now that SQLite has closed the files: closing a descriptor of ours before
    // would let go SQLite's locks on them.
    letGo(files);
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

std::optional<QSqlQuery> exec(const QSqlDatabase& db, const QString& sql, const QVariantList& values,
                              Error* error)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(sql)) {
        if (error) *error = failureOf(db, q.lastError(), QStringLiteral("SQLite"));
        return std::nullopt;
    }
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, values.at(i));
    if (!q.exec()) {
        if (error) *error = failureOf(db, q.lastError(), QStringLiteral("SQLite"));
        return std::nullopt;
    }
    return q;
}

QVariant scalar(const QSqlDatabase& db, const QString& sql, const QVariantList& values, Error* error)
{
    auto q = exec(db, sql, values, error);
    if (!q) return QVariant();
    if (!q->next()) {
        finished(*q, error);
        return QVariant();
    }
    return q->value(0);
}

bool attach(const QSqlDatabase& db, const QString& path, const QString& alias, OpenMode mode, Error* error)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists() || !info.isFile()) {
        if (error)
            *error = Error{53, QStringLiteral("SQLite"), QStringLiteral("找不到数据库文件: %1").arg(path)};
        return false;
    }
    QUrl uri = QUrl::fromLocalFile(info.absoluteFilePath());
    uri.setQuery(mode == OpenMode::ReadOnly ? QStringLiteral("mode=ro") : QStringLiteral("mode=rw"));
    auto attachFile = [&](Error* e) {
        // The alias is the caller's fixed name, never user text.
        if (!exec(db, QStringLiteral("ATTACH DATABASE ? AS ") + alias, {uri.toString(QUrl::FullyEncoded)}, e))
            return false;
        // A file that is not an SQLite database attaches without complaint; the first read tells.
        if (!exec(db, QStringLiteral("SELECT count(*) FROM ") + alias + QStringLiteral(".sqlite_master"), {},
                  e)) {
            exec(db, QStringLiteral("DETACH DATABASE ") + alias);
            return false;
        }
        return true;
    };
    keepFile(db.connectionName(), alias, info.absoluteFilePath());
    if (rollingBackHotJournal(path, mode, error, attachFile)) return true;
    dropFile(db.connectionName(), alias);
    return false;
}

bool detach(const QSqlDatabase& db, const QString& alias, Error* error)
{
    if (!exec(db, QStringLiteral("DETACH DATABASE ") + alias, {}, error)) return false;
    dropFile(db.connectionName(), alias);
    return true;
}

QStringList filesInUse()
{
    QMutexLocker lock(&g_lock);
    QStringList files;
    for (const auto& byAlias : std::as_const(g_files))
        for (const OpenFile& file : byAlias)
            if (!files.contains(file.path)) files << file.path;
    return files;
}

QString quotedName(const QString& name)
{
    QString inner = name;
    inner.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

QStringList tableNames(const QSqlDatabase& db)
{
    QStringList names;
    for (const auto& [table, sql] : tableStatements(db))
        names << table;
    return names;
}

bool hasTable(const QSqlDatabase& db, const QString& table)
{
    // Exact text, as a table name is matched everywhere in the program.
    return tableNames(db).contains(table);
}

TransactionGuard::TransactionGuard(QSqlDatabase db) : m_db(std::move(db))
{
    if (!m_db.isOpen()) {
        m_beginError = Error{-1, QStringLiteral("SQLite"), QStringLiteral("数据库没有打开")};
        return;
    }
    if (writesRefused(m_db.connectionName(), &m_beginError)) return;
    m_started = run("BEGIN IMMEDIATE", &m_beginError);
}

TransactionGuard::~TransactionGuard()
{
    if (m_started && !m_done) run("ROLLBACK", nullptr);
}

Error TransactionGuard::beginError(const QString& source) const
{
    Error e = m_beginError;
    if (!e.isSet()) e = Error{-1, source, QStringLiteral("无法开始事务")};
    e.source = source;
    return e;
}

bool TransactionGuard::run(const char* statement, Error* error)
{
    QSqlQuery q(m_db);
    if (q.exec(QString::fromLatin1(statement))) return true;
    if (error) *error = failureOf(m_db, q.lastError(), QStringLiteral("SQLite"));
    return false;
}

bool TransactionGuard::commit(Error* error)
{
    if (!m_started || m_done) {
        if (error) *error = Error{-1, QStringLiteral("SQLite"), QStringLiteral("没有可提交的事务")};
        return false;
    }
    m_done = true;
    if (!run("COMMIT", error)) {
        run("ROLLBACK", nullptr);
        return false;
    }
    return true;
}

Rows::Rows(const QSqlDatabase& db, const QString& sql, const QVariantList& values)
{
    sqlite3* connection = handleOf(db);
    if (!connection || !db.isOpen()) {
        m_failed = true;
        m_error = sqliteError(-1, QStringLiteral("数据库没有打开"), QStringLiteral("SQLite"));
        return;
    }
    m_file = db.databaseName();
    const QByteArray text = sql.toUtf8();
    const int prepared = sqlite3_prepare_v2(connection, text.constData(), int(text.size()), &m_stmt, nullptr);
    if (prepared != SQLITE_OK) {
        fail(connection);
        return;
    }
    // Bound as the driver binds them, so that a value compares with a column the same
    // way whichever way it is read.
    for (int i = 0; i < values.size(); ++i) {
        const QVariant& v = values.at(i);
        int bound = SQLITE_OK;
        if (v.isNull()) {
            bound = sqlite3_bind_null(m_stmt, i + 1);
        } else {
            switch (v.metaType().id()) {
            case QMetaType::Bool:
            case QMetaType::Int:
            case QMetaType::UInt:
            case QMetaType::LongLong:
                bound = sqlite3_bind_int64(m_stmt, i + 1, v.toLongLong());
                break;
            case QMetaType::Double:
                bound = sqlite3_bind_double(m_stmt, i + 1, v.toDouble());
                break;
            case QMetaType::QByteArray: {
                const QByteArray bytes = v.toByteArray();
                bound =
                    sqlite3_bind_blob(m_stmt, i + 1, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
                break;
            }
            default: {
                const QString s = v.toString();
                bound = sqlite3_bind_text16(m_stmt, i + 1, s.utf16(), int(s.size() * sizeof(QChar)),
                                            SQLITE_TRANSIENT);
                break;
            }
            }
        }
        if (bound != SQLITE_OK) {
            fail(connection);
            return;
        }
    }
}

Rows::~Rows()
{
    sqlite3_finalize(m_stmt);
}

void Rows::fail(sqlite3* connection)
{
    m_failed = true;
    m_error =
        namedFailure(connection, m_file,
                     sqliteError(sqlite3_extended_errcode(connection),
                                 QString::fromUtf8(sqlite3_errmsg(connection)), QStringLiteral("SQLite")));
}

bool Rows::next()
{
    if (!m_stmt || m_failed || m_done) return false;
    const int step = sqlite3_step(m_stmt);
    if (step == SQLITE_ROW) return true;
    m_done = true;
    if (step != SQLITE_DONE) fail(sqlite3_db_handle(m_stmt));
    return false;
}

QUtf8StringView Rows::text(int column) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
    return text ? QUtf8StringView(text, sqlite3_column_bytes(m_stmt, column)) : QUtf8StringView();
}

bool Rows::isNull(int column) const
{
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

int Rows::columnCount() const
{
    return sqlite3_column_count(m_stmt);
}

Rows::Kind Rows::kind(int column) const
{
    static_assert(int(Kind::Integer) == SQLITE_INTEGER && int(Kind::Real) == SQLITE_FLOAT &&
                  int(Kind::Text) == SQLITE_TEXT && int(Kind::Blob) == SQLITE_BLOB &&
                  int(Kind::Null) == SQLITE_NULL);
    return Kind(sqlite3_column_type(m_stmt, column));
}

QVariant Rows::value(int column) const
{
    // As the Qt driver converts them, a text through SQLite's own UTF-16 form.
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(m_stmt, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_stmt, column));
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(m_stmt, column)),
                                   sqlite3_column_bytes(m_stmt, column)));
    case SQLITE_NULL:
        return QVariant(QMetaType::fromType<QString>());
    default: {
        const auto* text = static_cast<const QChar*>(sqlite3_column_text16(m_stmt, column));
        return QVariant(QString(text, sqlite3_column_bytes16(m_stmt, column) / qsizetype(sizeof(QChar))));
    }
    }
}

bool Rows::finished(Error* error) const
{
    if (!m_failed) return true;
    if (error) *error = m_error;
    return false;
}

} // namespace Db
