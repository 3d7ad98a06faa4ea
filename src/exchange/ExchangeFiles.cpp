#include "ExchangeFiles.h"

#include "platform/FileCopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <unistd.h>

namespace exchange {

namespace {
const QString kSource = QStringLiteral("exchange.Files");
}

QString temporaryPathBeside(const QString& target)
{
    const QFileInfo info(target);
    QTemporaryFile probe(info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                         QStringLiteral(".XXXXXX"));
    probe.setAutoRemove(true);
    if (!probe.open())
        return info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".part");
    // The name is free once the probe is gone again.
    return probe.fileName();
}

Status replaceFile(const QString& from, const QString& to, const QString& permissionsOf)
{
    if (!FileCopy::putInPlace(from, to, nullptr, permissionsOf)) {
        QFile::remove(from);
        return Db::Error{-1, kSource, QStringLiteral("无法写入文件：") + QDir::toNativeSeparators(to)};
    }
    return {};
}

Status flushFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite) || ::fsync(file.handle()) != 0)
        return Db::Error{-1, kSource, QStringLiteral("无法写入文件：") + QDir::toNativeSeparators(path)};
    return {};
}

bool sameFile(const QString& a, const QString& b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

Status backupDatabase(const QSqlDatabase& db, const QString& target)
{
    const QString part = temporaryPathBeside(target);
    QFile::remove(part);
    Db::Error error;
    if (!Db::exec(db, QStringLiteral("VACUUM INTO ?"), {part}, &error)) {
        QFile::remove(part);
        return error;
    }
    // The copy is as open to others as the database it copies.
    return replaceFile(part, target, db.databaseName());
}

} // namespace exchange
