#pragma once

#include <QString>

#include <optional>

#include <sys/types.h>

struct flock;

// The marks a running program of ours keeps on the files it uses, which every other
// running program of ours sees: a lock on one byte far beyond the end of any file
// and beyond the bytes SQLite locks, taken as an open-file-description lock. No read
// or write of the file meets it and SQLite's locks never do, on a local disk as over
// NFS and SMB; and closing another descriptor of the file does not let it go. The
// system lets it go with the program, also when the program is killed.
//
// Within this program a file is known by its identity, not by the name it was
// opened by: a file renamed or moved while in use is the same file.
namespace FileMark {

// A file by its device and inode, whatever its name now.
struct Id
{
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const Id&) const = default;
};

// How this program uses a file: a database it has open, a file a run reads, a
// temporary file of ours it writes. A file in several uses answers the first.
enum class Use { Open, Read, Write };

// Marks the file `path` in one more use, until release(): answers its identity, none
// when there is no such file. A file already marked gets no second descriptor, so
// that no descriptor of ours is closed while SQLite holds locks on the file.
std::optional<Id> take(const QString& path, Use use);
// Ends one use taken by take() or holdTemporary(); the file's descriptor is closed,
// and its mark let go, with its last use. To be called after SQLite closed the file.
void release(const Id& id, Use use);

// A descriptor, open for reading, of a file marked by take(); valid until the use
// taken ends; -1 when there is none (not a regular file, or one it could not open).
int descriptorOf(const Id& id);

// How this program uses the file `path` now; none when it does not. Opens no
// descriptor of the file.
std::optional<Use> ownUse(const QString& path);

// What can be seen of another running program's mark on a file.
enum class Seen { Free, Marked, Unseen };

// Whether another running program marks the file `path`: a database it has open, a
// file it reads, a temporary file it is writing. Unseen when the file is there but
// cannot be opened to look (another user's file, no descriptor left): it may be
// marked. A missing file is free. Opens a descriptor of the file, so it is asked
// only of a file this program does not use (ownUse).
Seen markedElsewhere(const QString& path);

// What taking the lock of a temporary file gave.
enum class Hold { Held, Busy, Unsupported };

// Marks the new temporary file open for writing on `fd` as written by this program,
// waiting for a sweep that holds it at that moment; its identity goes into *id.
// Unsupported where the filesystem takes no such lock: the file is then ours only
// within this program. Failed, with errno set, when no descriptor is left for the
// mark: the file is then not known as ours at all.
enum class Made { Held, Busy, Unsupported, Failed };
Made holdTemporary(int fd, Id* id);

// Whether the temporary file open for reading on `fd` is one that no running program
// uses (Held): its mark is then kept on `fd`, so that a writer that made the file in
// this moment waits until the file is removed and then finds it gone. Busy when
// another program writes it or has it open; Unsupported where the filesystem takes
// no such lock.
Hold holdStale(int fd);

// The calls through which marks are looked at and taken: open(2), and fcntl(2) with
// a lock request. A test puts failing ones in their place (another user's file, a
// filesystem without byte-range locks); nullptr puts the system's back.
using OpenCall = int (*)(const char* path, int flags);
using LockCall = int (*)(int fd, int command, struct flock* lock);
void setSystemCalls(OpenCall openWith, LockCall lockWith);

} // namespace FileMark
