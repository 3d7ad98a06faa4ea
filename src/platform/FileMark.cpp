#include "FileMark.h"

#include "FilePaths.h"

#include <QFile>
#include <QHash>
#include <QList>
#include <QMutex>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FileMark {

namespace {

// The byte of the mark: 4 EiB into the file, where no file of ours reaches and far
// past SQLite's lock bytes at 1 GiB.
constexpr off_t kMarkByte = off_t(1) << 62;

struct Marked
{
    QList<int> descriptors;
    int uses[3] = {0, 0, 0};
    bool unused() const { return uses[0] == 0 && uses[1] == 0 && uses[2] == 0; }
};

QMutex g_lock;
QHash<QPair<quint64, quint64>, Marked> g_marked;

int systemOpen(const char* path, int flags)
{
    return ::open(path, flags);
}

int systemLock(int fd, int command, struct flock* lock)
{
    return ::fcntl(fd, command, lock);
}

OpenCall openCall = systemOpen;
LockCall lockCall = systemLock;

QPair<quint64, quint64> keyOf(const Id& id)
{
    return {quint64(id.device), quint64(id.inode)};
}

Id idOfStat(const struct stat& info)
{
    return Id{info.st_dev, info.st_ino};
}

struct flock markLock(short type)
{
    struct flock lock = {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = kMarkByte;
    lock.l_len = 1;
    lock.l_pid = 0; // as open-file-description locks require
    return lock;
}

// Whether `error` of a lock request says that the filesystem takes no such lock,
// rather than that another holds it.
bool unsupported(int error)
{
    return error != EAGAIN && error != EACCES && error != EINTR;
}

// Whether a lock of another open file description than the one of `fd` is on the
// mark: false also where the filesystem cannot tell.
bool otherMarkOn(int fd)
{
    struct flock probe = markLock(F_WRLCK);
    return lockCall(fd, F_OFD_GETLK, &probe) == 0 && probe.l_type != F_UNLCK;
}

// The identity of the file `path` names (links followed); none when there is none.
std::optional<Id> idOf(const QString& path)
{
    struct stat info;
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &info) != 0) return std::nullopt;
    return idOfStat(info);
}

} // namespace

std::optional<Id> take(const QString& path, Use use)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info;
    if (path.isEmpty() || ::stat(name.constData(), &info) != 0) return std::nullopt;
    Id id = idOfStat(info);
    QMutexLocker lock(&g_lock);
    if (auto it = g_marked.find(keyOf(id)); it != g_marked.end()) {
        ++it->uses[int(use)];
        return id;
    }
    Marked marked;
    ++marked.uses[int(use)];
    if (S_ISREG(info.st_mode)) {
        const int fd = openCall(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
        if (fd >= 0) {
            // Another file may have taken the name in the meantime: the descriptor
            // says which file is marked.
            if (::fstat(fd, &info) == 0) id = idOfStat(info);
            struct flock mark = markLock(F_RDLCK);
            lockCall(fd, F_OFD_SETLK, &mark);
            if (auto it = g_marked.find(keyOf(id)); it != g_marked.end()) {
                // Kept to the end: closing it now would let go SQLite's locks on the file.
                it->descriptors << fd;
                ++it->uses[int(use)];
                return id;
            }
            marked.descriptors << fd;
        }
    }
    g_marked.insert(keyOf(id), marked);
    return id;
}

void release(const Id& id, Use use)
{
    // The descriptors are closed before the lock is let go: a take() of the same file
    // in this moment, finding no mark, would open a descriptor of its own for SQLite
    // to lock through, and a close after that would drop SQLite's locks on the file.
    QMutexLocker lock(&g_lock);
    const auto it = g_marked.find(keyOf(id));
    if (it == g_marked.end() || it->uses[int(use)] == 0) return;
    --it->uses[int(use)];
    if (!it->unused()) return;
    for (const int fd : std::as_const(it->descriptors))
        ::close(fd);
    g_marked.erase(it);
}

int descriptorOf(const Id& id)
{
    QMutexLocker lock(&g_lock);
    const auto it = g_marked.constFind(keyOf(id));
    return it == g_marked.cend() || it->descriptors.isEmpty() ? -1 : it->descriptors.first();
}

std::optional<Use> ownUse(const QString& path)
{
    const std::optional<Id> id = idOf(path);
    if (!id) return std::nullopt;
    QMutexLocker lock(&g_lock);
    const auto it = g_marked.constFind(keyOf(*id));
    if (it == g_marked.cend()) return std::nullopt;
    for (const Use use : {Use::Open, Use::Read, Use::Write})
        if (it->uses[int(use)] > 0) return use;
    return std::nullopt;
}

Seen markedElsewhere(const QString& path)
{
    const int fd =
        openCall(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    // A name that names no file is free.
    if (fd < 0) return FilePaths::namesNoFile(errno) ? Seen::Free : Seen::Unseen;
    struct stat info;
    const bool marked = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && otherMarkOn(fd);
    ::close(fd);
    return marked ? Seen::Marked : Seen::Free;
}

Made holdTemporary(int fd, Id* id)
{
    // The mark is kept on a descriptor of its own: the one written through is closed
    // when the file is complete.
    const int lockFd = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (lockFd < 0) return Made::Failed;
    struct flock mark = markLock(F_WRLCK);
    int result;
    do
        result = lockCall(lockFd, F_OFD_SETLKW, &mark);
    while (result != 0 && errno == EINTR);
    const Made made = result == 0 ? Made::Held : Made::Unsupported;
    struct stat info;
    // A sweep may have taken the new file for a stale one in the moment before the
    // mark was taken: it holds the mark while it removes the file, so the file is
    // then gone.
    if (::fstat(lockFd, &info) != 0 || info.st_nlink == 0) {
        ::close(lockFd);
        return Made::Busy;
    }
    *id = idOfStat(info);
    QMutexLocker lock(&g_lock);
    Marked& marked = g_marked[keyOf(*id)];
    marked.descriptors << lockFd;
    ++marked.uses[int(Use::Write)];
    return made;
}

Hold holdStale(int fd)
{
    struct flock mark = markLock(F_RDLCK);
    if (lockCall(fd, F_OFD_SETLK, &mark) != 0) return unsupported(errno) ? Hold::Unsupported : Hold::Busy;
    // A database another program has open holds a mark like this one, which does not
    // keep it off; the mark of any other is a use.
    return otherMarkOn(fd) ? Hold::Busy : Hold::Held;
}

void setSystemCalls(OpenCall openWith, LockCall lockWith)
{
    openCall = openWith ? openWith : systemOpen;
    lockCall = lockWith ? lockWith : systemLock;
}

} // namespace FileMark
