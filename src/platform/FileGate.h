#pragma once

#include "FileMark.h"
#include "Result.h"

#include <QString>

#include <optional>

// The one rule for every file the program replaces (renames over, truncates, copies
// over) or removes: it is never a database the program has open (the working
// database, a file being read or checked, an attached one), whatever path reaches
// it, nor one of that database's -journal, -wal and -shm files, nor the template,
// nor a file a run has said it reads; nor a database or a file that another running
// program of ours uses. NewFile, FileCopy and remove() ask it before
// they touch a file, so no writer has to remember it.
namespace FileGate {

// The template of the program, which no run replaces; empty for none.
void setTemplate(const QString& path);

// Declares `path` read for the life of the object, also while no connection has
// it open (a database checked in steps, a source read before its copy).
class Reading
{
public:
    explicit Reading(const QString& path);
    ~Reading();
    Reading(const Reading&) = delete;
    Reading& operator=(const Reading&) = delete;

    // Reads up to `size` bytes of the file from `offset` into `data` through the
    // descriptor of its mark: a database this program has open, under any name, gets
    // no descriptor of its own that, once closed, would let go SQLite's locks on it.
    // Answers the count read, 0 at the end, -1 when the file cannot be read.
    qint64 read(qint64 offset, char* data, qint64 size) const;

private:
    QString m_path;
    std::optional<FileMark::Id> m_mark;
};

// Why `path` may not be replaced or removed, naming it; empty when it may. It may
// not when it is a file this program uses (known by what the file is, not by its
// name), or one another running program of ours marks (FileMark).
QString refusal(const QString& path);

// Removes the file at `path` when the gate lets it; success also when there is no
// such file. The error names the file and why, when it is refused or the removal
// failed.
Status remove(const QString& path);

} // namespace FileGate
