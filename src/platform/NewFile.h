#pragma once

#include "Result.h"

#include <QByteArray>
#include <QString>

class QRegularExpression;

// A file written in full or not at all. A target that the gate (FileGate) protects
// is refused before anything is written. The bytes go to a temporary file of ours
// in the folder of the target; commit() writes them through to the disk, checks
// every step (a write that failed only when the last bytes were flushed included)
// and then puts the file in place by one rename over the old one. Whatever fails
// leaves the old file as it was, removes the temporary file, and errorString()
// names the target and the cause.
class NewFile
{
public:
    explicit NewFile(const QString& target);
    ~NewFile();
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    bool open();
    // Appends the bytes; after a failure further writes do nothing and fail.
    bool write(const QByteArray& bytes);
    // The file in place keeps the permissions of the file it replaces, or takes
    // those of `permissionsOf` when that names an existing file.
    bool commit(const QString& permissionsOf = QString());
    // Writes the bytes through to the disk like commit() but puts nothing in place:
    // answers the temporary file, which the caller now owns (empty on failure).
    QString release();

    QString errorString() const { return m_error; }
    // The system's error (an errno value) that failed the file; 0 when none is known.
    int cause() const { return m_cause; }

    // A free name of ours for a temporary file in the folder of `target`, short
    // whatever the target's name, made as an empty file so that no other writer
    // takes it. Stale temporary files of ours in that folder are removed first.
    // Empty, with `error` naming the target and the cause, when none can be made.
    static QString makeTemporary(const QString& target, QString* error = nullptr);

    // Writes the file at `path` through to the disk; on failure `error` names
    // `target` (the file the caller is making) and the cause.
    static bool sync(const QString& path, const QString& target, QString* error = nullptr);

    // Puts the finished file `written` (a temporary file of the caller's) in place as
    // `target`: writes it through to the disk and renames it over `target`, with the
    // permissions FileCopy::putInPlace gives it. On failure `written` is removed and
    // `error` names `target` and the cause; the old `target` is left as it was.
    static bool place(const QString& written, const QString& target, QString* error = nullptr,
                      const QString& permissionsOf = QString());

    // A temporary file of ours is marked while it exists (FileMark), so that no sweep
    // of a running program takes it for stale. These keep the mark with the file: it
    // moves with the file under another work name of the caller's (`to`, which the
    // gate must let be replaced); it ends when the file is put in place
    // (FileCopy::putInPlace says so through placed()) or removed with its side files
    // (discard, through the gate).
    // A failure of the system names `failureNames` (`to` when empty), the file the
    // caller is making.
    static Status moveTemporary(const QString& from, const QString& to, const QString& failureNames = QString());
    static void placed(const QString& temporary);
    static void discard(const QString& temporary);

    // Removes the files of `folder` whose names match `pattern` and that no running
    // program uses (none marks them: the writer ended or was killed; where the
    // filesystem takes no mark, nothing was written into them for an hour), with
    // their side files (-journal, -wal, -shm), and side files whose database is gone;
    // never a file the gate (FileGate) protects.
    static void removeStale(const QString& folder, const QRegularExpression& pattern);

    // The calls that write a file through to the disk and close it, fsync(2) and
    // close(2) by default. A test puts failing ones in their place (a failing close
    // still releases the descriptor); nullptr puts the system's back.
    using DiskCall = int (*)(int fd);
    static void setDiskCalls(DiskCall fsyncWith, DiskCall closeWith);

private:
    bool fail(int cause);

    QString m_target;
    QString m_temporary;
    QString m_error;
    int m_cause = 0;
    int m_fd = -1;
};
