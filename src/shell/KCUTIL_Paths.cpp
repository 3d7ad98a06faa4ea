#include "KCUTIL_Paths.h"

#include <algorithm>

namespace KCUTIL {

namespace {
qsizetype lastSeparator(const QString& path)
{
    return std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
}
} // namespace

QString Get_File_Dir(const QString& path)
{
    const qsizetype p = lastSeparator(path);
    return p < 0 ? QString() : path.left(p);
}

QString Get_File_Name(const QString& path)
{
    const qsizetype p = lastSeparator(path);
    return p < 0 ? path : path.mid(p + 1);
}

QString Get_Folder(const QString& path)
{
    QString dir = Get_File_Dir(path);
    if (dir.size() < 3) {
        // The separator the path itself uses; "/" for a path without one.
        const qsizetype p = lastSeparator(path);
        dir += p < 0 ? QLatin1Char('/') : path.at(p);
    }
    return dir;
}

QString joinPath(const QString& folder, const QString& name)
{
    if (folder.endsWith(QLatin1Char('/'))) return folder + name;
    return folder + QLatin1Char('/') + name;
}

} // namespace KCUTIL
