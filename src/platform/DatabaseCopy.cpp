#include "DatabaseCopy.h"

#include "FileError.h"
#include "NewFile.h"

#include <QByteArray>

#include <sqlite3.h>

#include <algorithm>

namespace Db {

namespace {

// The bytes read and written at a time.
constexpr qint64 kChunk = qint64(4) << 20;
qint64 g_chunk = kChunk;
std::function<void()> g_afterPiece;

// The read transaction of the copy: SQLite's SHARED lock on the file, taken by the
// first read. One open on the connection already is used and left as it is.
class ReadLock
{
public:
    explicit ReadLock(const QSqlDatabase& db) : m_db(db) {}
    ~ReadLock()
    {
        if (m_begun && !exec(m_db, QStringLiteral("COMMIT"))) exec(m_db, QStringLiteral("ROLLBACK"));
    }
    ReadLock(const ReadLock&) = delete;
    ReadLock& operator=(const ReadLock&) = delete;

    bool take(Error* error)
    {
        if (!inTransaction(m_db)) {
            if (!exec(m_db, QStringLiteral("BEGIN"), {}, error)) return false;
            m_begun = true;
        }
        auto q = exec(m_db, QStringLiteral("SELECT count(*) FROM sqlite_master"), {}, error);
        if (!q) return false;
        q->next();
        return finished(*q, error);
    }

private:
    QSqlDatabase m_db;
    bool m_begun = false;
};

// SQLite's handle of the file of the database open on `handle`, or null when its
// bytes are not the whole database or it has no file.
sqlite3_file* wholeFile(const QSqlDatabase& db, sqlite3* handle)
{
    // Pages changed in the open transaction may be in the file already, or only in
    // the connection's cache.
    if (sqlite3_txn_state(handle, "main") == SQLITE_TXN_WRITE) return nullptr;
    // In WAL mode the last changes are in the -wal file.
    if (scalar(db, QStringLiteral("PRAGMA journal_mode")).toString().compare(QLatin1String("wal"),
                                                                             Qt::CaseInsensitive) == 0)
        return nullptr;
    const char* name = sqlite3_db_filename(handle, "main");
    if (!name || !*name) return nullptr;
    sqlite3_file* file = nullptr;
    if (sqlite3_file_control(handle, "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK || !file ||
        !file->pMethods)
        return nullptr;
    return file;
}

} // namespace

Status copyDatabaseFile(const QSqlDatabase& db, const QString& target, const QString& source, bool* possible)
{
    *possible = false;
    sqlite3* handle = sqliteHandle(db);
    if (!handle || !db.isOpen()) return {};
    ReadLock lock(db);
    Error error;
    if (!lock.take(&error)) {
        *possible = true;
        return error;
    }
    sqlite3_file* file = wholeFile(db, handle);
    if (!file) return {};
    *possible = true;

    const Error unreadable{-1, source, FileError::text(db.databaseName(), 0, QStringLiteral("无法读取文件："))};
    sqlite3_int64 size = 0;
    if (file->pMethods->xFileSize(file, &size) != SQLITE_OK) return unreadable;
    NewFile out(target);
    if (!out.open()) return Error{-1, source, out.errorString()};
    QByteArray chunk;
    for (qint64 offset = 0; offset < size; offset += chunk.size()) {
        chunk.resize(std::min(g_chunk, size - offset));
        if (file->pMethods->xRead(file, chunk.data(), int(chunk.size()), offset) != SQLITE_OK) return unreadable;
        if (!out.write(chunk)) return Error{-1, source, out.errorString()};
        if (g_afterPiece) g_afterPiece();
    }
    // The copy is as open to others as the database it copies.
    if (!out.commit(db.databaseName())) return Error{-1, source, out.errorString()};
    return {};
}

void setCopyPieces(qint64 size, std::function<void()> afterPiece)
{
    g_chunk = size > 0 ? size : kChunk;
    g_afterPiece = std::move(afterPiece);
}

} // namespace Db
