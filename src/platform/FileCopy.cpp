#include "FileCopy.h"

#include "NewFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>

#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

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

// The real path of `path`: absolute, every link and "." and ".." resolved; a part
// that does not exist is taken as it is written. Empty for an empty path or a loop
// of links.
QString realPath(const QString& path)
{
    if (path.isEmpty()) return QString();
    const QString written = QDir::fromNativeSeparators(path);
    QStringList pending = written.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (!written.startsWith(QLatin1Char('/')))
        pending = QDir::currentPath().split(QLatin1Char('/'), Qt::SkipEmptyParts) + pending;
    QStringList resolved; // the parts of the real path so far
    int links = 0;
    while (!pending.isEmpty()) {
        const QString part = pending.takeFirst();
        if (part == QLatin1String(".")) continue;
        if (part == QLatin1String("..")) {
            if (!resolved.isEmpty()) resolved.removeLast();
            continue;
        }
        resolved << part;
        const QByteArray here = QFile::encodeName(QLatin1Char('/') + resolved.join(QLatin1Char('/')));
        struct stat info;
        // A part that is not there is taken as it is written.
        if (::lstat(here.constData(), &info) != 0 || !S_ISLNK(info.st_mode)) continue;
        if (++links > 40) return QString();
        char target[PATH_MAX];
        const ssize_t n = ::readlink(here.constData(), target, sizeof target);
        if (n < 0) return QString();
        const QString to = QFile::decodeName(QByteArray(target, int(n)));
        // The link's target takes its place, from the root or from the link's folder.
        resolved.removeLast();
        if (to.startsWith(QLatin1Char('/'))) resolved.clear();
        pending = to.split(QLatin1Char('/'), Qt::SkipEmptyParts) + pending;
    }
    return QLatin1Char('/') + resolved.join(QLatin1Char('/'));
}

} // namespace

bool sameFile(const QString& a, const QString& b)
{
    const QString ra = realPath(a), rb = realPath(b);
    if (ra.isEmpty() || rb.isEmpty()) return false;
    if (ra == rb) return true;
    struct stat ia, ib;
    return ::stat(QFile::encodeName(ra).constData(), &ia) == 0 &&
           ::stat(QFile::encodeName(rb).constData(), &ib) == 0 && ia.st_dev == ib.st_dev &&
           ia.st_ino == ib.st_ino;
}

bool isDatabaseOrTemplate(const QString& path, const QString& database, const QString& templatePath)
{
    return sameFile(path, database) || sameFile(path, templatePath);
}

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
    const QFileInfo model(permissionsOf.isEmpty() ? to : permissionsOf);
    if (model.exists() && !QFile::setPermissions(from, model.permissions())) return fail(errno);
    // rename(2) replaces the target in one step.
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        return fail(errno);
    return true;
}

} // namespace FileCopy
