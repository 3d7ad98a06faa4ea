#include "DamagedDatabase.h"

#include "support/SampleRegistrations.h"

#include "platform/Database.h"

#include <QFile>

#include <functional>

namespace DamagedDatabase {

bool overwrite(const QString& file, qint64 offset, qint64 length)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadWrite) || !f.seek(offset)) return false;
    QByteArray noise(length, Qt::Uninitialized);
    quint32 x = 2463534242u;
    for (char& c : noise) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = char(x & 0xff);
    }
    return f.write(noise) == length;
}

bool make(const QString& templatePath, const QString& target, int count)
{
    SampleRegistrations::Options options;
    options.count = count;
    if (!SampleRegistrations::makeDatabase(templatePath, target, options)) return false;
    const qint64 size = QFile(target).size();
    // The middle fifth of the file, on page boundaries.
    const qint64 page = 4096;
    const qint64 from = size * 2 / 5 / page * page;
    const qint64 length = qMax<qint64>(page, size / 5 / page * page);
    return overwrite(target, from, length);
}

namespace {

// Overwrites with noise the page that `find` names in the open file (0: none).
bool overwritePage(const QString& file, const std::function<qint64(const QSqlDatabase&)>& find)
{
    qint64 page = 0;
    qint64 pageSize = 0;
    {
        Db::ScopedConnection c(QStringLiteral("damage"), file, Db::OpenMode::ReadOnly);
        if (!c.ok()) return false;
        pageSize = Db::scalar(c.db(), QStringLiteral("PRAGMA page_size")).toLongLong();
        page = find(c.db());
    }
    return page > 1 && overwrite(file, (page - 1) * pageSize, pageSize);
}

} // namespace

bool damageMiddleLeaf(const QString& file, const QString& name)
{
    return overwritePage(file, [&](const QSqlDatabase& db) -> qint64 {
        auto q = Db::exec(db,
                          QStringLiteral("SELECT pageno FROM dbstat WHERE name=? AND pagetype='leaf' "
                                         "ORDER BY path"),
                          {name});
        QList<qint64> leaves;
        while (q && q->next())
            leaves << q->value(0).toLongLong();
        return leaves.size() < 3 ? 0 : leaves.at(leaves.size() / 2);
    });
}

bool damageRoot(const QString& file, const QString& name)
{
    return overwritePage(file, [&](const QSqlDatabase& db) {
        return Db::scalar(db, QStringLiteral("SELECT rootpage FROM sqlite_master WHERE name=?"), {name})
            .toLongLong();
    });
}

bool markReadOnly(const QString& file)
{
    // Byte 18 of the header is the write version: above 2, SQLite opens for reading only.
    QFile f(file);
    if (!f.open(QIODevice::ReadWrite) || !f.seek(18)) return false;
    return f.write(QByteArray(1, char(3))) == 1;
}

bool leaveHotJournal(const QString& file, const QString& target)
{
    const QString journal = QStringLiteral("-journal");
    Db::ScopedConnection c(QStringLiteral("dying"), file, Db::OpenMode::ReadWrite);
    if (!c.ok()) return false;
    // A small page cache makes the change spill into the file before its commit.
    Db::exec(c.db(), QStringLiteral("PRAGMA cache_size=10"));
    if (!Db::exec(c.db(), QStringLiteral("BEGIN IMMEDIATE"))) return false;
    bool ok =
        Db::exec(c.db(), QStringLiteral("CREATE TABLE 半途 (x BLOB)")) &&
        Db::exec(c.db(), QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                                        "WHERE i < 400) INSERT INTO 半途 SELECT randomblob(2000) FROM n"));
    // The copies hold no lock, so their journal is hot.
    ok = ok && QFile::exists(file + journal) && QFile::copy(file, target) &&
         QFile::copy(file + journal, target + journal);
    Db::exec(c.db(), QStringLiteral("ROLLBACK"));
    return ok;
}

} // namespace DamagedDatabase
