#include "NewFile.h"

#include "FileCopy.h"
#include "FileError.h"
#include "FileGate.h"
#include "FileMark.h"
#include "FilePaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <optional>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Temporary files of ours: ".orvane-" and six letters or digits, ".tmp"; SQLite adds
// "-journal", "-wal" or "-shm" for its side files of one that is a database, and the
// side files of a file replaced take those names until the new file is in place.
const QString kPrefix = QStringLiteral(".orvane-");
const QString kSuffix = QStringLiteral(".tmp");
const QString kSource = QStringLiteral("文件");

const QRegularExpression& temporaryName()
{
    static const QRegularExpression name(
        QStringLiteral("^\\.orvane-[A-Za-z0-9]{6}\\.tmp(-journal|-wal|-shm)?$"));
    return name;
}

// The temporary files this process is making, each marked as written by this
// program (FileMark) until it is put in place or removed. A temporary file that no
// running program marks is one whose writer ended or was killed: the system let
// its mark go with it.
QMutex heldLock;
QHash<QString, FileMark::Id> held;

void hold(const QString& path, const FileMark::Id& id)
{
    QMutexLocker lock(&heldLock);
    held.insert(path, id);
}

void letGo(const QString& path)
{
    std::optional<FileMark::Id> id;
    {
        QMutexLocker lock(&heldLock);
        if (const auto it = held.constFind(path); it != held.cend()) {
            id = *it;
            held.erase(it);
        }
    }
    if (id) FileMark::release(*id, FileMark::Use::Write);
}

void moveHold(const QString& from, const QString& to)
{
    QMutexLocker lock(&heldLock);
    if (const auto it = held.constFind(from); it != held.cend()) {
        const FileMark::Id id = *it;
        held.erase(it);
        held.insert(to, id);
    }
}

// Creates a new file of a free temporary name in `folder` and marks it; answers its
// descriptor (open for writing) or -1 with errno set.
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
        FileMark::Id id;
        const FileMark::Made made = FileMark::holdTemporary(fd, &id);
        // Busy: a sweep of another program took the new file for a stale one in the
        // moment before it was marked, and removed it; another name is taken.
        if (made == FileMark::Made::Busy) {
            ::close(fd);
            continue;
        }
        // A file not known as ours would be taken for stale by the next sweep, ours
        // included, while it is written.
        if (made == FileMark::Made::Failed) {
            const int cause = errno;
            ::close(fd);
            (void)FileGate::remove(*path);
            errno = cause;
            return -1;
        }
        hold(*path, id);
        return fd;
    }
    errno = EEXIST;
    return -1;
}

// Where a filesystem takes no mark, a temporary file is taken for stale only when
// nothing has been written into it for this long.
constexpr qint64 kUnmarkedStaleAfter = 3600;

// Whether the temporary file at `path`, which the gate lets be removed, is one that
// no running program uses: it is then held on `*fd` (which the caller closes once
// the file is removed). False when it is another's or is no longer there.
bool holdStale(const QString& path, int* fd)
{
    const QByteArray name = QFile::encodeName(path);
    *fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
    if (*fd < 0) return false;
    struct stat opened, now;
    bool stale = ::fstat(*fd, &opened) == 0 && ::stat(name.constData(), &now) == 0 && S_ISREG(opened.st_mode) &&
                 opened.st_dev == now.st_dev && opened.st_ino == now.st_ino;
    if (stale) {
        switch (FileMark::holdStale(*fd)) {
        case FileMark::Hold::Held: break;
        case FileMark::Hold::Busy: stale = false; break;
        case FileMark::Hold::Unsupported:
            stale = std::time(nullptr) - opened.st_mtime > kUnmarkedStaleAfter;
            break;
        }
    }
    if (!stale) ::close(*fd);
    return stale;
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
        m_error = FileError::text(m_target, cause);
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
        if (error) *error = refusal.isEmpty() ? FileError::text(target, cause) : refusal;
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
        if (error) *error = FileError::text(target, cause);
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

Status NewFile::moveTemporary(const QString& from, const QString& to, const QString& failureNames)
{
    if (const QString why = FileGate::refusal(to); !why.isEmpty()) return Db::Error{75, kSource, why};
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        return Db::Error{75, kSource, FileError::text(failureNames.isEmpty() ? to : failureNames, errno)};
    moveHold(from, to);
    return {};
}

void NewFile::placed(const QString& temporary)
{
    letGo(temporary);
}

void NewFile::discard(const QString& temporary)
{
    // SQLite's side files of a database written there go with it; the file stays
    // ours while any of them is left.
    bool removed = FileGate::remove(temporary).ok();
    for (const QString& suffix : FilePaths::sideFileSuffixes())
        removed = FileGate::remove(temporary + suffix).ok() && removed;
    if (removed) letGo(temporary);
}

void NewFile::removeStale(const QString& folder, const QRegularExpression& pattern)
{
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        if (entry.isSymLink() || !pattern.match(entry.fileName()).hasMatch()) continue;
        const QString path = entry.absoluteFilePath();
        const auto side =
            std::find_if(FilePaths::sideFileSuffixes().cbegin(), FilePaths::sideFileSuffixes().cend(),
                         [&](const QString& suffix) { return path.endsWith(suffix); });
        if (side != FilePaths::sideFileSuffixes().cend()) {
            // A side file goes with its database; one whose database is gone is stale.
            const QString database = path.chopped(side->size());
            if (!QFileInfo::exists(database)) (void)FileGate::remove(path);
            continue;
        }
        // The gate is asked before the file is opened: a descriptor of a database
        // this program has open, once closed, would let go SQLite's locks on it.
        if (!FileGate::refusal(path).isEmpty()) continue;
        int fd = -1;
        if (!holdStale(path, &fd)) continue;
        // Removed while it is held, so that a writer that made the file in this
        // moment finds it gone when it has its mark.
        if (::unlink(QFile::encodeName(path).constData()) == 0)
            for (const QString& suffix : FilePaths::sideFileSuffixes())
                (void)FileGate::remove(path + suffix);
        ::close(fd);
    }
}

void NewFile::setDiskCalls(DiskCall fsyncWith, DiskCall closeWith)
{
    fsyncCall = fsyncWith ? fsyncWith : ::fsync;
    closeCall = closeWith ? closeWith : ::close;
}
