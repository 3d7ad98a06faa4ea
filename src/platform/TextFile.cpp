#include "TextFile.h"

#include "NewFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

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

bool writeLines(const QString& path, const QStringList& lines, QString* error, int* cause)
{
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
