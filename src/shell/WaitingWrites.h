#pragma once

#include "platform/Result.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <utility>

class QSqlDatabase;

// The writes the program wants to make into a database file once the check of its
// every page has found it sound, kept by the connection they were asked on. A
// connection replaced as the working one before its verdict keeps them: they go into
// its file then, on a connection of their own. They go only into the file that was
// there when they were asked or its check began (by its device and inode): another
// file put at its path meanwhile gets none. A write that is not made, or fails, is
// handed to the teller with the file, what it writes and why; none is lost unsaid.
class WaitingWrites
{
public:
    using Write = std::function<Status(const QSqlDatabase&)>;
    using Tell = std::function<void(const QString& file, const QStringList& what, const QString& cause)>;

    explicit WaitingWrites(Tell tell);

    // `write` for the working connection, open on `file`: made at once when the file
    // has been found sound, told as not made when it was not. `what` names for the
    // clerk what it writes, with its value ("省代码510000"); it takes the place of a
    // write of the same `key` (WriteKeys) that still waits for the same file, on any
    // connection.
    void add(const QString& file, const QString& key, const QString& what, Write write);

    // A value of `key` written into `file` at once: a write of that key still waiting
    // for the file would undo it, and is let go without a word.
    void withdraw(const QString& file, const QString& key);

    // The check of every page of `file`, open on the working connection, begins.
    void checkBegins(const QString& file);

    // The verdict of the check on the file of `connection` (`file` when it is the
    // working connection). A sound file gets its writes, never inside a transaction of
    // the clerk's on the working connection, whose rollback would take them along:
    // they follow it. A file not found sound for `cause` gets none, now or later; those
    // waiting are told, unless `told` says the clerk already knows nothing goes into it.
    void foundSound(const QString& connection, const QString& file);
    void foundNotSound(const QString& connection, const QString& file, const QString& cause, bool told);

    // At the end of the program: waits for the verdicts of the checks and makes the
    // writes as they say; those that still wait then (a transaction of the clerk's
    // holds them back, or no check answered) are told as not made.
    void finish();

    // Forgets every waiting write without a word.
    void forget();

private:
    enum class Verdict { Pending, Sound, NotSound };
    using FileId = std::pair<quint64, quint64>; // device and inode
    struct Waiting
    {
        QString key;  // what it writes, whatever the value
        QString what; // what it writes, in the clerk's words
        Write write;
    };
    struct Connection
    {
        QString name;
        QString file;
        // The file at `file` when the first write was asked or the check began.
        std::optional<FileId> id;
        Verdict verdict = Verdict::Pending;
        QString cause; // why a file not found sound takes no write
        QList<Waiting> writes;
    };

    // The file at `path` now; none when nothing is there.
    static std::optional<FileId> fileIdOf(const QString& path);
    // Lets go the writes of `key` that wait for the file `id`.
    void dropOlder(const std::optional<FileId>& id, const QString& key);
    Connection* find(const QString& connection);
    Connection& working(const QString& file);
    void makeWhenFree(const QString& connection);
    void makeNow(const QString& connection);
    void tell(const QString& file, const QList<Waiting>& writes, const QString& cause) const;

    Tell m_tell;
    QList<Connection> m_connections;
};
