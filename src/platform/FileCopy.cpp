#include "FileCopy.h"

#include "Database.h"
#include "FileError.h"
#include "FileGate.h"
#include "FilePaths.h"
#include "NewFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>

namespace FileCopy {

namespace {

// Copies the bytes of `source`, declared read meanwhile, into `out`, opened here
// once the first piece is read. False with the cause in *error when a read or a
// write fails.
bool copyInto(const QString& source, NewFile& out, QString* error)
{
    auto fail = [&](const QString& why) {
        if (error) *error = why;
        return false;
    };
    const QString unreadable = QStringLiteral("无法读取文件：") + QDir::toNativeSeparators(source);
    const FileGate::Reading in(source);
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    qint64 n = in.read(0, chunk.data(), chunk.size());
    if (n < 0) return fail(unreadable);
    if (!out.open()) return fail(out.errorString());
    for (qint64 at = 0; n > 0; n = in.read(at, chunk.data(), chunk.size())) {
        if (!out.write(QByteArray::fromRawData(chunk.constData(), n))) return fail(out.errorString());
        at += n;
    }
    return n == 0 || fail(unreadable);
}

} // namespace

QString copyToTemporary(const QString& source, const QString& target, QString* error)
{
    NewFile out(target);
    if (!copyInto(source, out, error)) return QString();
    const QString written = out.release();
    if (written.isEmpty() && error) *error = out.errorString();
    return written;
}

bool copyFile(const QString& source, const QString& target, bool overwrite, QString* error)
{
    if (!overwrite && QFileInfo::exists(target)) {
        if (error) *error = QStringLiteral("文件已存在：") + QDir::toNativeSeparators(target);
        return false;
    }
    NewFile out(target);
    if (!copyInto(source, out, error)) return false;
    if (out.commit()) return true;
    if (error) *error = out.errorString();
    return false;
}

namespace {

// The side files SQLite keeps beside `database` that exist now.
QStringList sideFilesOf(const QString& database)
{
    QStringList present;
    for (const QString& suffix : FilePaths::sideFileSuffixes())
        if (QFileInfo(database + suffix).exists() || QFileInfo(database + suffix).isSymLink()) present << suffix;
    return present;
}

// Renames the side files `suffixes` of `from` to those of `to`; false, with errno
// set, when one would not go, those moved already being moved back.
bool moveSideFiles(const QString& from, const QString& to, const QStringList& suffixes)
{
    for (qsizetype i = 0; i < suffixes.size(); ++i) {
        if (std::rename(QFile::encodeName(from + suffixes[i]).constData(),
                        QFile::encodeName(to + suffixes[i]).constData()) == 0)
            continue;
        const int cause = errno;
        while (--i >= 0)
            std::rename(QFile::encodeName(to + suffixes[i]).constData(),
                        QFile::encodeName(from + suffixes[i]).constData());
        errno = cause;
        return false;
    }
    return true;
}

// Lets SQLite put the old database `path` right: a connection that may write it
// rolls a killed writer's change back at its first read, and then takes the write
// lock, which no other writer holds. False, with SQLite's cause in *cause, when it
// could not (a file only read, another program's locks on it); a file that is no
// database has nothing to roll back (SQLite looks at the journal before it reads
// the file).
bool settle(const QString& path, QString* cause)
{
    // Nor has a folder of that name, or a device.
    if (!QFileInfo(path).isFile()) return true;
    const Db::ScopedConnection settling(QStringLiteral("settle"), path, Db::OpenMode::ReadWrite);
    Db::Error e = settling.error();
    if (!settling.ok()) {
        constexpr int notADatabase = 26;
        if ((e.number & 0xff) == notADatabase) return true;
    } else if (Db::exec(settling.db(), QStringLiteral("BEGIN IMMEDIATE"), {}, &e)) {
        Db::exec(settling.db(), QStringLiteral("ROLLBACK"));
        return true;
    }
    *cause = e.description;
    return false;
}

QString unfinished(const QString& path, const QString& side, const QString& cause)
{
    return QStringLiteral("不能改写文件：") + QDir::toNativeSeparators(path) +
           QStringLiteral("\r它留有未完成的写入（") + QDir::toNativeSeparators(side) +
           QStringLiteral("），现在无法撤销，不能替换") +
           (cause.isEmpty() ? QString() : QStringLiteral("：") + cause) +
           QStringLiteral("。文件未作任何改动。");
}

} // namespace

bool putInPlace(const QString& from, const QString& to, QString* error, const QString& permissionsOf,
                int* cause)
{
    auto fail = [&](int why) {
        if (error) *error = FileError::text(to, why);
        if (cause) *cause = why;
        return false;
    };
    auto refuse = [&](const QString& why) {
        if (error) *error = why;
        if (cause) *cause = 0;
        return false;
    };
    // A database and its journals are one file: a journal of the file replaced left
    // beside the new one would be rolled into it at its first opening and damage it.
    QStringList sides = sideFilesOf(to);
    const auto gateRefusal = [&] {
        if (const QString why = FileGate::refusal(to); !why.isEmpty()) return why;
        for (const QString& suffix : sides)
            if (const QString why = FileGate::refusal(to + suffix); !why.isEmpty()) return why;
        return QString();
    };
    // The gate is asked again at the last moment: another file may have taken the
    // target's name since the copy began.
    if (const QString why = gateRefusal(); !why.isEmpty()) return refuse(why);
    if (!sides.isEmpty()) {
        // A writer killed in the middle of a change left them: SQLite first puts the
        // old file right, so that it needs none of them should the program stop
        // before the new file is in place. Where it cannot, a side file may still be
        // needed by the old file, and stays with it.
        QString cause;
        const bool settled = settle(to, &cause);
        sides = sideFilesOf(to);
        if (!settled && !sides.isEmpty()) return refuse(unfinished(to, to + sides.first(), cause));
        // The settling may have waited out another program's locks, and another
        // running program of ours may have taken the file in that time.
        if (const QString why = gateRefusal(); !why.isEmpty()) return refuse(why);
    }
    const QFileInfo model(permissionsOf.isEmpty() ? to : permissionsOf);
    if (model.exists() && !QFile::setPermissions(from, model.permissions())) return fail(errno);
    // What is left of them goes with the old file: beside the new file's temporary
    // name until the new file is in place, and back beside the old one if it cannot
    // be put there.
    if (!moveSideFiles(to, from, sides)) return fail(errno);
    // rename(2) replaces the target in one step.
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0) {
        const int why = errno;
        moveSideFiles(from, to, sides);
        return fail(why);
    }
    for (const QString& suffix : sides)
        (void)FileGate::remove(from + suffix);
    NewFile::placed(from);
    return true;
}

} // namespace FileCopy
