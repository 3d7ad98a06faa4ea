#include "FileCopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

} // namespace FileCopy
