#pragma once

#include "platform/Prompt.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <cstdio>
#include <cstdlib>

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

// A file holding `bytes`, for readers that take a path; the same path every call.
inline QString fileOf(const char* name, const uint8_t* data, size_t size)
{
    static const QString dir = QDir::tempPath() + QStringLiteral("/orvane-fuzz-") + QString::number(getpid());
    QDir().mkpath(dir);
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
