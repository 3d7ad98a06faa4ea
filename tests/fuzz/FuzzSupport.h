#pragma once

#include "platform/Prompt.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include <signal.h>
#include <unistd.h>

// What the fuzz targets share: message boxes answered by themselves, input files in
// a folder of the process's own, and a failed property that stops the run.
namespace FuzzSupport {

inline void init()
{
    static const bool once = [] {
        Prompt::setTestMode(true);
        return true;
    }();
    (void)once;
    Prompt::clear();
}

// The process's own folder, in memory where the system has a memory file system
// (a target that writes databases waits on the disk otherwise); removed when the
// run ends.
inline const QString& folder()
{
    struct Folder
    {
        QString path;
        Folder()
        {
            const QString base = QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                     ? QStringLiteral("/dev/shm")
                                     : QDir::tempPath();
            // libFuzzer ends a run without running destructors: folders of runs that
            // have ended are removed here.
            const QStringList earlier =
                QDir(base).entryList({QStringLiteral("orvane-fuzz-*")}, QDir::Dirs | QDir::NoDotAndDotDot);
            for (const QString& name : earlier) {
                bool ok = false;
                const pid_t pid = pid_t(name.mid(12).toInt(&ok));
                if (ok && pid > 0 && ::kill(pid, 0) != 0 && errno == ESRCH)
                    QDir(base + QLatin1Char('/') + name).removeRecursively();
            }
            path = base + QStringLiteral("/orvane-fuzz-") + QString::number(getpid());
            QDir().mkpath(path);
        }
        ~Folder() { QDir(path).removeRecursively(); }
    };
    static const Folder f;
    return f.path;
}

// A file holding `bytes`, for readers that take a path; the same path every call.
inline QString fileOf(const char* name, const uint8_t* data, size_t size)
{
    const QString& dir = folder();
    const QString path = dir + QLatin1Char('/') + QString::fromLatin1(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    return path;
}

// A property that must hold for every input.
inline void require(bool holds, const char* what)
{
    if (holds) return;
    std::fprintf(stderr, "property failed: %s\n", what);
    std::abort();
}

} // namespace FuzzSupport
