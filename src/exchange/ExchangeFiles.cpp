#include "ExchangeFiles.h"

#include "platform/DatabaseCopy.h"
#include "platform/FileCopy.h"
#include "platform/FileError.h"
#include "platform/FilePaths.h"
#include "platform/NewFile.h"

#include <QFile>

namespace exchange {

namespace {

const QString kSource = QStringLiteral("exchange.Files");

// Puts the finished temporary database `from` in place as `to` (NewFile::place); on
// failure `from` and its journal are removed, and the error names `to`.
Status replaceFile(const QString& from, const QString& to, const QString& permissionsOf = QString())
{
    QString why;
    if (!NewFile::place(from, to, &why, permissionsOf)) {
        NewFile::discard(from);
        return Db::Error{-1, kSource, why};
    }
    return {};
}

} // namespace

Status refuseDatabaseOrTemplate(const QString& target, const QString& workingDatabase,
                                const QString& templatePath, const QString& source)
{
    if (!FilePaths::isDatabaseOrTemplate(target, workingDatabase, templatePath)) return {};
    return Db::Error{-1, source, databaseOrTemplateMessage()};
}

QString databaseOrTemplateMessage()
{
    return QStringLiteral("不能导出到当前数据库文件或模板文件，请重新指定导出文件！");
}

Status fillFromTemplate(const QString& templatePath, const QString& target, const QString& source,
                        const std::function<Status(const QSqlDatabase&)>& fill)
{
    QString copyError;
    const QString part = FileCopy::copyToTemporary(templatePath, target, &copyError);
    if (part.isEmpty()) return Db::Error{-1, source, copyError};
    Status filled;
    int cause = 0;
    {
        Db::ScopedConnection connection(QStringLiteral("export"), part, Db::OpenMode::ReadWrite);
        filled = connection.ok() ? fill(connection.db()) : Status(connection.error());
        if (!filled && connection.ok()) cause = Db::writeFailureCause(connection.db(), filled.error());
    }
    if (!filled) {
        NewFile::discard(part);
        // Rows the disk would not take are said as every file written is: the
        // target and the cause.
        if (cause != 0) return Db::Error{-1, source, FileError::text(target, cause)};
        return filled;
    }
    return replaceFile(part, target);
}

Status backupDatabase(const QSqlDatabase& db, const QString& target)
{
    // The bytes of the file, as fast as a copy of it; VACUUM INTO where they are
    // not the whole database, and on a connection whose writes were refused (a
    // damaged file), where it fails with the reason of the refusal.
    bool possible = false;
    if (Db::scalar(db, QStringLiteral("PRAGMA query_only")).toInt() == 0)
        if (Status copied = Db::copyDatabaseFile(db, target, kSource, &possible); possible || !copied)
            return copied;
    QString why;
    const QString part = NewFile::makeTemporary(target, &why);
    if (part.isEmpty()) return Db::Error{-1, kSource, why};
    Db::Error error;
    // VACUUM INTO writes into the empty file made for it.
    if (!Db::exec(db, QStringLiteral("VACUUM INTO ?"), {part}, &error)) {
        // A copy the disk would not take is said as every file written is: the file
        // and the cause.
        const int cause = Db::writeFailureCause(db, error);
        NewFile::discard(part);
        if (cause != 0) return Db::Error{-1, kSource, FileError::text(target, cause)};
        return error;
    }
    // The copy is as open to others as the database it copies.
    return replaceFile(part, target, db.databaseName());
}

} // namespace exchange
