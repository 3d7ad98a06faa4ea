#include "FilePaths.h"

#include <QDir>
#include <QFile>

#include <cerrno>

#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FilePaths {

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

const QStringList& sideFileSuffixes()
{
    static const QStringList suffixes = {QStringLiteral("-journal"), QStringLiteral("-wal"), QStringLiteral("-shm")};
    return suffixes;
}

bool namesNoFile(int openError)
{
    return openError == ENOENT || openError == ENOTDIR || openError == ENAMETOOLONG;
}

} // namespace FilePaths
