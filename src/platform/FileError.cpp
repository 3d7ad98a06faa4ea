#include "FileError.h"

#include <QDir>

#include <cerrno>
#include <cstring>

namespace FileError {

namespace {

QString causeText(int cause)
{
    switch (cause) {
    case ENOSPC: return QStringLiteral("磁盘空间不足");
    case EDQUOT: return QStringLiteral("超出磁盘配额");
    case EFBIG: return QStringLiteral("文件超出大小限制");
    case EACCES:
    case EPERM: return QStringLiteral("没有写入权限");
    case EROFS: return QStringLiteral("磁盘只读");
    case ENOENT: return QStringLiteral("文件夹不存在");
    case ENOTDIR: return QStringLiteral("路径中有一项是文件而不是文件夹");
    case EISDIR: return QStringLiteral("已有同名的文件夹");
    case EIO: return QStringLiteral("读写磁盘时出错");
    case ENAMETOOLONG: return QStringLiteral("文件名太长");
    case EMFILE:
    case ENFILE: return QStringLiteral("打开的文件太多");
    default: return QString::fromLocal8Bit(std::strerror(cause));
    }
}

} // namespace

QString text(const QString& path, int cause, const QString& lead)
{
    QString text = lead + QDir::toNativeSeparators(path);
    if (cause != 0) text += QStringLiteral("（") + causeText(cause) + QStringLiteral("）");
    return text;
}

} // namespace FileError
