#include "NewFile.h"

#include "FileCopy.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace {

const QDateTime processStarted = QDateTime::currentDateTimeUtc();

// Temporary files of ours: ".orvane-" and six letters or digits, ".tmp"; SQLite adds
// "-journal" for the journal of one that is a database.
const QString kPrefix = QStringLiteral(".orvane-");
const QString kSuffix = QStringLiteral(".tmp");

const QRegularExpression& temporaryName()
{
    static const QRegularExpression name(QStringLiteral("^\\.orvane-[A-Za-z0-9]{6}\\.tmp(-journal)?$"));
    return name;
}

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
    default: return QString::fromLocal8Bit(std::strerror(cause));
    }
}

// Creates a new file of a free temporary name in `folder`; answers its descriptor
// (open for writing) or -1 with errno set.
int createTemporary(const QString& folder, QString* path)
{
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        QString name = kPrefix;
        for (int i = 0; i < 6; ++i)
            name += QLatin1Char(letters[QRandomGenerator::global()->bounded(int(sizeof letters) - 1)]);
        *path = folder + QLatin1Char('/') + name + kSuffix;
        const int fd = ::open(QFile::encodeName(*path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Clears stale temporary files of ours beside `target`, then creates a new one
// there (see createTemporary).
int createBeside(const QString& target, QString* path)
{
    const QString folder = QFileInfo(target).absolutePath();
    NewFile::removeStale(folder, temporaryName());
    return createTemporary(folder, path);
}

NewFile::DiskCall fsyncCall = ::fsync;
NewFile::DiskCall closeCall = ::close;

bool closeChecked(int fd)
{
    // A failed close may report a write the system had still to make.
    return closeCall(fd) == 0 || errno == EINTR;
}

} // namespace

NewFile::NewFile(const QString& target) : m_target(target) {}

NewFile::~NewFile()
{
    if (m_fd >= 0) ::close(m_fd);
    if (!m_temporary.isEmpty()) QFile::remove(m_temporary);
}

bool NewFile::fail(int cause)
{
    if (m_error.isEmpty()) {
        m_error = writeError(m_target, cause);
        m_cause = cause;
    }
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    if (!m_temporary.isEmpty()) QFile::remove(m_temporary);
    m_temporary.clear();
    return false;
}

bool NewFile::open()
{
    m_fd = createBeside(m_target, &m_temporary);
    if (m_fd < 0) {
        const int cause = errno;
        m_temporary.clear();
        return fail(cause);
    }
    return true;
}

bool NewFile::write(const QByteArray& bytes)
{
    if (m_fd < 0) return fail(EBADF);
    const char* data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(m_fd, data, size_t(left));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return fail(n < 0 ? errno : ENOSPC);
        data += n;
        left -= n;
    }
    return true;
}

QString NewFile::release()
{
    if (m_fd < 0) {
        fail(EBADF);
        return QString();
    }
    // A write the system held back fails here at the latest.
    const bool synced = fsyncCall(m_fd) == 0;
    const int fd = std::exchange(m_fd, -1);
    if (!synced || !closeChecked(fd)) {
        const int cause = errno;
        if (!synced) ::close(fd);
        fail(cause);
        return QString();
    }
    return std::exchange(m_temporary, QString());
}

bool NewFile::commit(const QString& permissionsOf)
{
    const QString written = release();
    if (written.isEmpty()) return false;
    QString why;
    if (!FileCopy::putInPlace(written, m_target, &why, permissionsOf, &m_cause)) {
        QFile::remove(written);
        m_error = why;
        return false;
    }
    return true;
}

QString NewFile::makeTemporary(const QString& target, QString* error)
{
    QString path;
    const int fd = createBeside(target, &path);
    if (fd < 0) {
        const int cause = errno;
        if (error) *error = writeError(target, cause);
        return QString();
    }
    ::close(fd);
    return path;
}

bool NewFile::sync(const QString& path, const QString& target, QString* error)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC);
    const bool synced = fd >= 0 && fsyncCall(fd) == 0;
    if (!synced || !closeChecked(fd)) {
        const int cause = errno;
        // A close that failed has released the descriptor all the same.
        if (fd >= 0 && !synced) ::close(fd);
        if (error) *error = writeError(target, cause);
        return false;
    }
    return true;
}

bool NewFile::place(const QString& written, const QString& target, QString* error, const QString& permissionsOf)
{
    if (sync(written, target, error) && FileCopy::putInPlace(written, target, error, permissionsOf)) return true;
    QFile::remove(written);
    return false;
}

void NewFile::removeStale(const QString& folder, const QRegularExpression& pattern)
{
    const QDateTime hourAgo = QDateTime::currentDateTimeUtc().addSecs(-3600);
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        if (entry.isSymLink() || !pattern.match(entry.fileName()).hasMatch()) continue;
        const QDateTime changed = entry.lastModified().toUTC();
        if (changed < processStarted && changed < hourAgo) QFile::remove(entry.absoluteFilePath());
    }
}

void NewFile::setDiskCalls(DiskCall fsyncWith, DiskCall closeWith)
{
    fsyncCall = fsyncWith ? fsyncWith : ::fsync;
    closeCall = closeWith ? closeWith : ::close;
}

QString NewFile::writeError(const QString& path, int cause, const QString& lead)
{
    QString text = lead + QDir::toNativeSeparators(path);
    if (cause != 0) text += QStringLiteral("（") + causeText(cause) + QStringLiteral("）");
    return text;
}
