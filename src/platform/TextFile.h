#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Plain text files of the program: read as UTF-8, or as GB18030 when the bytes are
// not valid UTF-8 (files carried over from older installations); written as UTF-8
// with CR LF after every line.
namespace TextFile {

enum class ReadStatus { Ok, Missing, Unreadable };

QString decode(const QByteArray& bytes);

// Reads the file's lines (without their line ends).
ReadStatus readLines(const QString& path, QStringList* lines, QString* error = nullptr);

// Writes each line followed by CR LF; the file is replaced only when complete. On
// failure `error` names the file and the cause, and `cause` is the system's error (an
// errno value, 0 when none is known).
bool writeLines(const QString& path, const QStringList& lines, QString* error = nullptr,
                int* cause = nullptr);

} // namespace TextFile
