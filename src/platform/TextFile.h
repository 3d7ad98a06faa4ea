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

// Why a text file may not take the place of the file at `path`: the gate's refusal
// (FileGate), or that the file holds a database (it begins with SQLite's header).
// Empty when it may; every writer of a text file asks before it writes.
QString refusal(const QString& path);

// Writes each line followed by CR LF; the file is replaced only when complete, and
// never when it is refused (see refusal). On failure `error` names the file and the
// cause, and `cause` is the system's error (an errno value, 0 when none is known).
bool writeLines(const QString& path, const QStringList& lines, QString* error = nullptr,
                int* cause = nullptr);

} // namespace TextFile
