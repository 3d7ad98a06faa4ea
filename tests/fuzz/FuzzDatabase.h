#pragma once

#include "FuzzSupport.h"

#include "platform/Database.h"

#include <QFile>
#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

// Databases for the targets that write: a fresh working database, a copy of the
// template built beside the program, for every input, and what to hold it to
// after an import that failed or succeeded.
namespace FuzzDatabase {

inline QString templatePath()
{
    return QStringLiteral(ORVANE_TEMPLATE_PATH);
}

inline QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A file in the process's folder holding a copy of `from`.
inline QString copyOf(const QString& from, const char* name)
{
    const QString path = FuzzSupport::fileOf(name, nullptr, 0);
    QFile::remove(path);
    FuzzSupport::require(QFile::copy(from, path), "the database file is copied");
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return path;
}

// Commits without waiting for the disk: the files of a run are thrown away.
inline void quick(const QSqlDatabase& db)
{
    Db::exec(db, QStringLiteral("PRAGMA synchronous=OFF"));
}

// The working database open under `connection`: a fresh copy of `pristine`.
struct Working
{
    Working(const QString& pristine, const QString& connection) : name(connection)
    {
        path = copyOf(pristine, "work.mdb");
        Db::Error error;
        FuzzSupport::require(Db::open(name, path, Db::OpenMode::ReadWrite, &error),
                             "the working database opens");
        quick(db());
        before = bytesOf(path);
    }
    ~Working() { close(); }
    QSqlDatabase db() const { return Db::connection(name); }
    // Closes the connection, so that the file holds all it will hold.
    void close()
    {
        if (open) Db::close(name);
        open = false;
    }
    // A failed import leaves the file as it was.
    void requireUnchanged() const
    {
        FuzzSupport::require(bytesOf(path) == before,
                             "a failed import leaves the working database as it was");
    }

    QString name;
    QString path;
    QByteArray before;
    bool open = true;
};

// Where rowsByNumber counts the rows whose number is not text (Null, a blob).
inline const QString& notText()
{
    static const QString key = QStringLiteral("\x01(not text)");
    return key;
}

// Where rowsByNumber counts the rows whose number is text that is not UTF-8: read
// back, two such numbers may look alike where the database tells them apart.
inline const QString& unreadable()
{
    static const QString key = QStringLiteral("\x01(not UTF-8)");
    return key;
}

// The rows of each registration number in `table`: number -> rows.
inline QHash<QString, int> rowsByNumber(const QSqlDatabase& db, const QString& schema, const QString& table)
{
    QHash<QString, int> rows;
    auto q = Db::exec(db, QStringLiteral("SELECT 登记号, CAST(登记号 AS BLOB) FROM ") +
                              Db::quotedName(schema) + QLatin1Char('.') + Db::quotedName(table));
    FuzzSupport::require(q.has_value(), "the table is read");
    while (q->next()) {
        const QVariant v = q->value(0);
        if (v.isNull() || v.typeId() != QMetaType::QString)
            ++rows[notText()];
        else if (v.toString().toUtf8() != q->value(1).toByteArray())
            ++rows[unreadable()];
        else
            ++rows[v.toString()];
    }
    FuzzSupport::require(!q->lastError().isValid(), "the table is read to its end");
    return rows;
}

} // namespace FuzzDatabase
