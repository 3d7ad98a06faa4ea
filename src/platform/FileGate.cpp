#include "FileGate.h"

#include "Database.h"
#include "FilePaths.h"
#include "NewFile.h"

#include <QDir>
#include <QFile>
#include <QMutex>
#include <QStringList>

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

namespace FileGate {

namespace {

QMutex g_lock;
QString g_template;
QStringList g_reading;

const QString kSideFiles[] = {QStringLiteral("-journal"), QStringLiteral("-wal"), QStringLiteral("-shm")};

// A file as the gate compares it: its real path and, when it exists, its identity.
struct Identity
{
    QString real;
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;

    explicit Identity(const QString& path) : real(FilePaths::realPath(path))
    {
        struct stat info;
        if (!real.isEmpty() && ::stat(QFile::encodeName(real).constData(), &info) == 0) {
            exists = true;
            device = info.st_dev;
            inode = info.st_ino;
        }
    }

    // Whether `other` names this file (its real path, or another name of the file).
    bool is(const QString& other) const
    {
        if (real.isEmpty() || other.isEmpty()) return false;
        const Identity that(other);
        if (that.real == real) return true;
        return exists && that.exists && that.device == device && that.inode == inode;
    }

    // Whether this file is the journal or another side file SQLite keeps beside the
    // database `database`, under its name as opened or its real name.
    bool isSideFileOf(const QString& database) const
    {
        const QString resolved = FilePaths::realPath(database);
        for (const QString& suffix : kSideFiles)
            if (is(database + suffix) || (!resolved.isEmpty() && is(resolved + suffix))) return true;
        return false;
    }
};

QString refused(const QString& path, const QString& why)
{
    return QStringLiteral("不能改写或删除文件：") + QDir::toNativeSeparators(path) + QStringLiteral("\r") + why;
}

} // namespace

void setTemplate(const QString& path)
{
    QMutexLocker lock(&g_lock);
    g_template = path;
}

Reading::Reading(const QString& path) : m_path(path)
{
    QMutexLocker lock(&g_lock);
    g_reading << m_path;
}

Reading::~Reading()
{
    QMutexLocker lock(&g_lock);
    g_reading.removeOne(m_path);
}

QString refusal(const QString& path)
{
    if (path.isEmpty()) return {};
    QString templ;
    QStringList reading;
    {
        QMutexLocker lock(&g_lock);
        templ = g_template;
        reading = g_reading;
    }
    const Identity file(path);
    if (file.is(templ)) return refused(path, QStringLiteral("它是程序的数据库模板文件。"));
    const QStringList inUse = Db::filesInUse();
    for (const QString& database : inUse)
        if (file.is(database)) return refused(path, QStringLiteral("它是程序正在使用的数据库文件。"));
    for (const QString& read : reading)
        if (file.is(read)) return refused(path, QStringLiteral("它是程序正在读取的文件。"));
    for (const QString& database : inUse + reading)
        if (file.isSideFileOf(database))
            return refused(path, QStringLiteral("它是程序正在使用的数据库文件") +
                                     QDir::toNativeSeparators(database) + QStringLiteral("的日志文件。"));
    return {};
}

bool remove(const QString& path, QString* error)
{
    if (const QString why = refusal(path); !why.isEmpty()) {
        if (error) *error = why;
        return false;
    }
    if (::unlink(QFile::encodeName(path).constData()) == 0 || errno == ENOENT) return true;
    if (error) *error = NewFile::writeError(path, errno, QStringLiteral("无法删除文件："));
    return false;
}

} // namespace FileGate
