#include "FileCopy.h"

#include "FileGate.h"
#include "NewFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>

namespace FileCopy {

namespace {

// Copies the bytes of `source` into `out`, opened here. False with the cause in
// *error when a read or a write fails.
bool copyInto(const QString& source, NewFile& out, QString* error)
{
    auto fail = [&](const QString& why) {
        if (error) *error = why;
        return false;
    };
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("无法读取文件：") + QDir::toNativeSeparators(source));
    if (!out.open()) return fail(out.errorString());
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(1 << 20);
        if (chunk.isEmpty() && in.error() != QFileDevice::NoError)
            return fail(QStringLiteral("无法读取文件：") + QDir::toNativeSeparators(source));
        if (!out.write(chunk)) return fail(out.errorString());
    }
    return true;
}

} // namespace

QString copyToTemporary(const QString& source, const QString& target, QString* error)
{
    NewFile out(target);
    if (!copyInto(source, out, error)) return QString();
    const QString written = out.release();
    if (written.isEmpty() && error) *error = out.errorString();
    return written;
}

bool copyFile(const QString& source, const QString& target, bool overwrite, QString* error)
{
    if (!overwrite && QFileInfo::exists(target)) {
        if (error) *error = QStringLiteral("文件已存在：") + QDir::toNativeSeparators(target);
        return false;
    }
    NewFile out(target);
    if (!copyInto(source, out, error)) return false;
    if (out.commit()) return true;
    if (error) *error = out.errorString();
    return false;
}

bool putInPlace(const QString& from, const QString& to, QString* error, const QString& permissionsOf,
                int* cause)
{
    auto fail = [&](int why) {
        if (error) *error = NewFile::writeError(to, why);
        if (cause) *cause = why;
        return false;
    };
    // The gate is asked again at the last moment: another file may have taken the
    // target's name since the copy began.
    if (const QString why = FileGate::refusal(to); !why.isEmpty()) {
        if (error) *error = why;
        if (cause) *cause = 0;
        return false;
    }
    const QFileInfo model(permissionsOf.isEmpty() ? to : permissionsOf);
    if (model.exists() && !QFile::setPermissions(from, model.permissions())) return fail(errno);
    // rename(2) replaces the target in one step.
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        return fail(errno);
    NewFile::placed(from);
    return true;
}

} // namespace FileCopy
