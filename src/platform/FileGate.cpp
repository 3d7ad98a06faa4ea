#include "FileGate.h"

#include "Database.h"
#include "FileError.h"
#include "FileMark.h"
#include "FilePaths.h"

#include <QDir>
#include <QFile>
#include <QMutex>
#include <QStringList>

#include <cerrno>

#include <unistd.h>

namespace FileGate {

namespace {

QMutex g_lock;
QString g_template;
QStringList g_reading;

// Whether `path` is the journal or another side file SQLite keeps beside the
// database `database`, under its name as opened or its real name.
bool isSideFileOf(const QString& path, const QString& database)
{
    const QString resolved = FilePaths::realPath(database);
    for (const QString& suffix : FilePaths::sideFileSuffixes())
        if (FilePaths::sameFile(path, database + suffix) ||
            (!resolved.isEmpty() && FilePaths::sameFile(path, resolved + suffix)))
            return true;
    return false;
}

// The database whose side file `path` is named as; empty when it is named as none.
QString databaseOfSideFile(const QString& path)
{
    for (const QString& suffix : FilePaths::sideFileSuffixes())
        if (path.endsWith(suffix)) return path.chopped(suffix.size());
    return QString();
}

QString refused(const QString& path, const QString& why)
{
    return QStringLiteral("不能改写或删除文件：") + QDir::toNativeSeparators(path) + QStringLiteral("\r") + why;
}

QString journalOf(const QString& database, bool elsewhere)
{
    return (elsewhere ? QStringLiteral("它是另一个正在运行的程序正在使用的数据库文件")
                      : QStringLiteral("它是程序正在使用的数据库文件")) +
           QDir::toNativeSeparators(database) + QStringLiteral("的日志文件。");
}

// Why `file` may be in use by another running program: `marked` when its mark is
// seen, `unseen` when the file cannot be opened to look (another user's); empty when
// it is free.
QString elsewhere(const QString& file, const QString& marked, const QString& unseen)
{
    switch (FileMark::markedElsewhere(file)) {
    case FileMark::Seen::Free:
        return {};
    case FileMark::Seen::Marked:
        return marked;
    case FileMark::Seen::Unseen:
        return unseen;
    }
    return {};
}

} // namespace

void setTemplate(const QString& path)
{
    QMutexLocker lock(&g_lock);
    g_template = path;
}

Reading::Reading(const QString& path) : m_path(path), m_mark(FileMark::take(path, FileMark::Use::Read))
{
    QMutexLocker lock(&g_lock);
    g_reading << m_path;
}

Reading::~Reading()
{
    {
        QMutexLocker lock(&g_lock);
        g_reading.removeOne(m_path);
    }
    if (m_mark) FileMark::release(*m_mark, FileMark::Use::Read);
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
    if (FilePaths::sameFile(path, templ)) return refused(path, QStringLiteral("它是程序的数据库模板文件。"));
    // The files of this program are known by what they are, whatever their names
    // now, without a descriptor of them opened here.
    const std::optional<FileMark::Use> use = FileMark::ownUse(path);
    if (use == FileMark::Use::Open) return refused(path, QStringLiteral("它是程序正在使用的数据库文件。"));
    if (use == FileMark::Use::Read) return refused(path, QStringLiteral("它是程序正在读取的文件。"));
    const QStringList inUse = Db::filesInUse();
    for (const QString& read : reading)
        if (FilePaths::sameFile(path, read)) return refused(path, QStringLiteral("它是程序正在读取的文件。"));
    for (const QString& database : inUse + reading)
        if (isSideFileOf(path, database)) return refused(path, journalOf(database, false));
    const QString database = databaseOfSideFile(path);
    const std::optional<FileMark::Use> databaseUse = FileMark::ownUse(database);
    if (databaseUse == FileMark::Use::Open || databaseUse == FileMark::Use::Read)
        return refused(path, journalOf(database, false));
    // A temporary file of ours being written is this program's to replace or remove.
    if (use == FileMark::Use::Write) return {};
    if (const QString why =
            elsewhere(path, QStringLiteral("它是另一个正在运行的程序正在使用的数据库文件。"),
                      QStringLiteral("无法打开它，因而无法确定它是否正被另一个正在运行的程序使用。"));
        !why.isEmpty())
        return refused(path, why);
    if (database.isEmpty() || databaseUse) return {};
    if (const QString why =
            elsewhere(database, journalOf(database, true),
                      QStringLiteral("无法打开它的数据库文件") + QDir::toNativeSeparators(database) +
                          QStringLiteral("，因而无法确定它是否正被另一个正在运行的程序使用。"));
        !why.isEmpty())
        return refused(path, why);
    return {};
}

qint64 Reading::read(qint64 offset, char* data, qint64 size) const
{
    const int fd = m_mark ? FileMark::descriptorOf(*m_mark) : -1;
    if (fd < 0) return -1;
    for (;;) {
        const ssize_t n = ::pread(fd, data, size_t(size), off_t(offset));
        if (n >= 0 || errno != EINTR) return n;
    }
}

Status remove(const QString& path)
{
    if (const QString why = refusal(path); !why.isEmpty()) return Db::Error{75, QStringLiteral("文件"), why};
    if (::unlink(QFile::encodeName(path).constData()) == 0 || errno == ENOENT) return {};
    return Db::Error{75, QStringLiteral("文件"), FileError::text(path, errno, QStringLiteral("无法删除文件："))};
}

} // namespace FileGate
