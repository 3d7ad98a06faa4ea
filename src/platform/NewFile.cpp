#include "NewFile.h"

#include "FileCopy.h"
#include "FileGate.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Temporary files of ours: ".orvane-" and six letters or digits, ".tmp"; SQLite adds
// "-journal" for the journal of one that is a database.
const QString kPrefix = QStringLiteral(".orvane-");
const QString kSuffix = QStringLiteral(".tmp");
const QString kJournal = QStringLiteral("-journal");

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

// The temporary files this process is making, each with a descriptor that holds a
// lock on it (flock(2), apart from SQLite's own locks) until the file is put in
// place or removed. A temporary file whose lock anybody can take is one that no
// running program is writing: its writer ended or was killed, and the system let
// the lock go with it.
QMutex heldLock;
QHash<QString, int> held;

void hold(const QString& path, int fd)
{
    QMutexLocker lock(&heldLock);
    held.insert(path, fd);
}

void letGo(const QString& path)
{
    QMutexLocker lock(&heldLock);
    if (const auto it = held.constFind(path); it != held.cend()) {
        ::close(*it);
        held.erase(it);
    }
}

void moveHold(const QString& from, const QString& to)
{
    QMutexLocker lock(&heldLock);
    if (const auto it = held.constFind(from); it != held.cend()) {
        const int fd = *it;
        held.erase(it);
        held.insert(to, fd);
    }
}

// Creates a new file of a free temporary name in `folder` and takes its lock;
// answers its descriptor (open for writing) or -1 with errno set.
int createTemporary(const QString& folder, QString* path)
{
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        QString name = kPrefix;
        for (int i = 0; i < 6; ++i)
            name += QLatin1Char(letters[QRandomGenerator::global()->bounded(int(sizeof letters) - 1)]);
        *path = folder + QLatin1Char('/') + name + kSuffix;
        const int fd = ::open(QFile::encodeName(*path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return -1;
        }
        // The lock is kept on a descriptor of its own, the one written through is
        // closed when the file is complete.
        const int lockFd = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
        struct stat info;
        if (lockFd < 0 || ::flock(lockFd, LOCK_EX) != 0 || ::fstat(lockFd, &info) != 0) {
            const int cause = errno;
            if (lockFd >= 0) ::close(lockFd);
            ::close(fd);
            ::unlink(QFile::encodeName(*path).constData());
            errno = cause;
            return -1;
        }
        // A sweep of another program may have taken the new file for a stale one in
        // the moment before its lock was taken: it holds the lock while it removes
        // the file, so the file is then gone, and another name is taken.
        if (info.st_nlink == 0) {
            ::close(lockFd);
            ::close(fd);
            continue;
        }
        hold(*path, lockFd);
        return fd;
    }
    errno = EEXIST;
    return -1;
}

// Whether the temporary file at `path` is one that no running program is writing:
// its lock can be taken. It is taken into `*lockFd` (which the caller closes once the
// file is removed); false when the file is another's or is no longer there.
bool lockStale(const QString& path, int* lockFd)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return false;
    struct stat locked, now;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::fstat(fd, &locked) != 0 || ::stat(name.constData(), &now) != 0 ||
        locked.st_dev != now.st_dev || locked.st_ino != now.st_ino) {
        ::close(fd);
        return false;
    }
    *lockFd = fd;
    return true;
}

// Clears stale temporary files of ours beside `target`, then creates a new one
// there (see createTemporary). A target the gate refuses gets none.
int createBeside(const QString& target, QString* path, QString* refusal)
{
    if (*refusal = FileGate::refusal(target); !refusal->isEmpty()) return -1;
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
    if (!m_temporary.isEmpty()) discard(m_temporary);
}

bool NewFile::fail(int cause)
{
    if (m_error.isEmpty()) {
        m_error = writeError(m_target, cause);
        m_cause = cause;
    }
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    if (!m_temporary.isEmpty()) discard(m_temporary);
    m_temporary.clear();
    return false;
}

bool NewFile::open()
{
    QString refusal;
    m_fd = createBeside(m_target, &m_temporary, &refusal);
    if (m_fd < 0) {
        const int cause = errno;
        m_temporary.clear();
        if (!refusal.isEmpty()) m_error = refusal;
        return fail(refusal.isEmpty() ? cause : 0);
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
        discard(written);
        m_error = why;
        return false;
    }
    return true;
}

QString NewFile::makeTemporary(const QString& target, QString* error)
{
    QString path, refusal;
    const int fd = createBeside(target, &path, &refusal);
    if (fd < 0) {
        const int cause = errno;
        if (error) *error = refusal.isEmpty() ? writeError(target, cause) : refusal;
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
    discard(written);
    return false;
}

bool NewFile::moveTemporary(const QString& from, const QString& to, QString* error, int* cause)
{
    if (cause) *cause = 0;
    if (const QString why = FileGate::refusal(to); !why.isEmpty()) {
        if (error) *error = why;
        return false;
    }
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0) {
        if (cause) *cause = errno;
        if (error) *error = writeError(to, errno);
        return false;
    }
    moveHold(from, to);
    return true;
}

void NewFile::placed(const QString& temporary)
{
    letGo(temporary);
}

bool NewFile::discard(const QString& temporary, QString* error)
{
    // SQLite's journal of a database written there goes with it.
    const bool removed = FileGate::remove(temporary, error) && FileGate::remove(temporary + kJournal, error);
    if (removed) letGo(temporary);
    return removed;
}

void NewFile::removeStale(const QString& folder, const QRegularExpression& pattern)
{
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        if (entry.isSymLink() || !pattern.match(entry.fileName()).hasMatch()) continue;
        const QString path = entry.absoluteFilePath();
        if (path.endsWith(kJournal)) {
            // A journal goes with its database; one whose database is gone is stale.
            const QString database = path.chopped(kJournal.size());
            if (!QFileInfo::exists(database)) FileGate::remove(path);
            continue;
        }
        int lockFd = -1;
        if (!lockStale(path, &lockFd)) continue;
        // Removed while the lock is held, so that a writer that made the file in
        // this moment finds it gone when it gets the lock.
        if (FileGate::remove(path)) FileGate::remove(path + kJournal);
        ::close(lockFd);
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
