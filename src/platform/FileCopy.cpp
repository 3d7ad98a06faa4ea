#include "FileCopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace FileCopy {

bool copyFile(const QString& source, const QString& target, bool overwrite, QString* error)
{
    auto fail = [&](const QString& why) {
        if (error) *error = why;
        return false;
    };
    if (!overwrite && QFileInfo::exists(target))
        return fail(QStringLiteral("文件已存在：") + QDir::toNativeSeparators(target));
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) return fail(QStringLiteral("无法读取文件：") + QDir::toNativeSeparators(source));
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly)) return fail(QStringLiteral("无法写入文件：") + QDir::toNativeSeparators(target));
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(1 << 20);
        if (chunk.isEmpty() && in.error() != QFileDevice::NoError)
            return fail(QStringLiteral("无法读取文件：") + QDir::toNativeSeparators(source));
        if (out.write(chunk) != chunk.size()) {
            out.cancelWriting();
            return fail(QStringLiteral("无法写入文件：") + QDir::toNativeSeparators(target));
        }
    }
    if (!out.commit()) return fail(QStringLiteral("无法写入文件：") + QDir::toNativeSeparators(target));
    return true;
}

bool putInPlace(const QString& from, const QString& to, QString* error, const QString& permissionsOf)
{
    const QFileInfo model(permissionsOf.isEmpty() ? to : permissionsOf);
    if (model.exists() && !QFile::setPermissions(from, model.permissions())) {
        if (error) *error = QStringLiteral("无法写入文件：") + QDir::toNativeSeparators(to);
        return false;
    }
    // rename(2) replaces the target in one step.
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0) {
        const int cause = errno;
        if (error)
            *error = QStringLiteral("无法写入文件：%1（%2）")
                         .arg(QDir::toNativeSeparators(to), QString::fromLocal8Bit(std::strerror(cause)));
        return false;
    }
    return true;
}

} // namespace FileCopy
