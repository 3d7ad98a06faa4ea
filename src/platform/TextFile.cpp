#include "TextFile.h"

#include "FileGate.h"
#include "FilePaths.h"
#include "NewFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace TextFile {

QString decode(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) {
        if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
        return text;
    }
    QStringDecoder gb("GB18030");
    if (gb.isValid()) return gb.decode(bytes);
    return QString::fromLocal8Bit(bytes);
}

ReadStatus readLines(const QString& path, QStringList* lines, QString* error)
{
    lines->clear();
    QFileInfo info(path);
    if (!info.exists()) return ReadStatus::Missing;
    QFile f(path);
    if (info.isDir() || !f.open(QIODevice::ReadOnly)) {
        if (error) *error = QStringLiteral("无法读取文件 %1").arg(QDir::toNativeSeparators(path));
        return ReadStatus::Unreadable;
    }
    const QString text = decode(f.readAll());
    // A line ends with CR LF, LF or a bare CR. (Plain replacing spares the start of
    // the program the compiling of a pattern for its settings files.)
    QString unified = text;
    unified.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    *lines = unified.split(QLatin1Char('\n'));
    // A final line end does not start another line.
    if (!lines->isEmpty() && lines->constLast().isEmpty() &&
        (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r'))))
        lines->removeLast();
    if (text.isEmpty()) lines->clear();
    return ReadStatus::Ok;
}

namespace {

enum class Header { None, Database, Unreadable };

// Whether the file at `path` is a regular file that begins with SQLite's header. Read
// without waiting on a pipe or a device. A file that is there but cannot be opened
// (another user's) is Unreadable: it may be a database, and one in use.
Header headerOf(const QString& path)
{
    static const QByteArray header("SQLite format 3\0", 16);
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return FilePaths::namesNoFile(errno) ? Header::None : Header::Unreadable;
    struct stat info;
    QByteArray start(header.size(), '\0');
    qsizetype got = 0;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        while (got < start.size()) {
            const ssize_t n = ::read(fd, start.data() + got, size_t(start.size() - got));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            got += n;
        }
    }
    ::close(fd);
    return got == header.size() && start == header ? Header::Database : Header::None;
}

} // namespace

QString refusal(const QString& path)
{
    // The gate first: a database the program has open is never opened here, since
    // closing any descriptor of it would drop SQLite's locks on it.
    if (QString why = FileGate::refusal(path); !why.isEmpty()) return why;
    switch (headerOf(path)) {
    case Header::None:
        return {};
    case Header::Database:
        return QStringLiteral("不能改写文件：") + QDir::toNativeSeparators(path) +
               QStringLiteral("\r它是一个数据库文件，不能写成文本文件。");
    case Header::Unreadable:
        return QStringLiteral("不能改写文件：") + QDir::toNativeSeparators(path) +
               QStringLiteral("\r无法打开它，因而无法确定它是否是正被另一个正在运行的程序使用的数据库文件。");
    }
    return {};
}

bool writeLines(const QString& path, const QStringList& lines, QString* error, int* cause)
{
    if (const QString why = refusal(path); !why.isEmpty()) {
        if (error) *error = why;
        if (cause) *cause = 0;
        return false;
    }
    QByteArray bytes;
    for (const QString& l : lines) bytes += l.toUtf8() + "\r\n";
    NewFile f(path);
    if (!f.open() || !f.write(bytes) || !f.commit()) {
        if (error) *error = f.errorString();
        if (cause) *cause = f.cause();
        return false;
    }
    return true;
}

} // namespace TextFile
