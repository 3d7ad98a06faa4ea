#include "ExchangeFiles.h"

#include "platform/NewFile.h"

#include <QFile>
#include <QFileInfo>

namespace exchange {

namespace {
const QString kSource = QStringLiteral("exchange.Files");
}

void removeTemporary(const QString& path)
{
    QFile::remove(path);
    // SQLite's journal of a database written there.
    QFile::remove(path + QStringLiteral("-journal"));
}

Status replaceFile(const QString& from, const QString& to, const QString& permissionsOf)
{
    QString why;
    if (!NewFile::place(from, to, &why, permissionsOf)) {
        removeTemporary(from);
        return Db::Error{-1, kSource, why};
    }
    return {};
}

bool sameFile(const QString& a, const QString& b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

Status backupDatabase(const QSqlDatabase& db, const QString& target)
{
    QString why;
    const QString part = NewFile::makeTemporary(target, &why);
    if (part.isEmpty()) return Db::Error{-1, kSource, why};
    Db::Error error;
    // VACUUM INTO writes into the empty file made for it.
    if (!Db::exec(db, QStringLiteral("VACUUM INTO ?"), {part}, &error)) {
        removeTemporary(part);
        return error;
    }
    // The copy is as open to others as the database it copies.
    return replaceFile(part, target, db.databaseName());
}

} // namespace exchange
