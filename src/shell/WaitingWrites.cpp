#include "WaitingWrites.h"

#include "ProgramState.h"
#include "platform/Database.h"

#include <QCoreApplication>
#include <QFile>
#include <QTimer>

#include <algorithm>
#include <optional>
#include <utility>

#include <sys/stat.h>

WaitingWrites::WaitingWrites(Tell tell) : m_tell(std::move(tell)) {}

std::optional<WaitingWrites::FileId> WaitingWrites::fileIdOf(const QString& path)
{
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) return std::nullopt;
    return FileId(info.st_dev, info.st_ino);
}

WaitingWrites::Connection* WaitingWrites::find(const QString& connection)
{
    for (Connection& c : m_connections)
        if (c.name == connection) return &c;
    return nullptr;
}

// The waiting writes of the working connection, made when missing; those of other
// connections that have been settled are let go.
WaitingWrites::Connection& WaitingWrites::working(const QString& file)
{
    const QString name = state().CnName;
    m_connections.removeIf([&](const Connection& c) { return c.name != name && c.writes.isEmpty(); });
    if (Connection* c = find(name)) return *c;
    m_connections.append(Connection{name, file, fileIdOf(file), {}, {}, {}});
    return m_connections.last();
}

void WaitingWrites::tell(const QString& file, const QList<Waiting>& writes, const QString& cause) const
{
    if (writes.isEmpty()) return;
    QStringList what;
    for (const Waiting& w : writes)
        what << w.what;
    m_tell(file, what, cause);
}

void WaitingWrites::add(const QString& file, const QString& key, const QString& what, Write write)
{
    Connection& c = working(file);
    // Whatever order the verdicts come in, the file gets the value now in use.
    dropOlder(c.id, key);
    c.writes.append({key, what, std::move(write)});
    if (c.verdict == Verdict::Sound)
        makeWhenFree(QString(c.name));
    else if (c.verdict == Verdict::NotSound)
        tell(c.file, std::exchange(c.writes, {}), c.cause);
}

void WaitingWrites::dropOlder(const std::optional<FileId>& id, const QString& key)
{
    for (Connection& other : m_connections)
        if (other.id && other.id == id) other.writes.removeIf([&](const Waiting& w) { return w.key == key; });
}

void WaitingWrites::withdraw(const QString& file, const QString& key)
{
    dropOlder(fileIdOf(file), key);
}

void WaitingWrites::checkBegins(const QString& file)
{
    working(file);
}

// Makes the waiting writes of `connection` now, on the working connection when it is
// still that one, else on a connection of their own to its file; a write that fails
// is told.
void WaitingWrites::makeNow(const QString& connection)
{
    Connection* c = find(connection);
    if (!c || c->writes.isEmpty()) return;
    const QString file = c->file;
    const QList<Waiting> writes = std::exchange(c->writes, {});
    if (const std::optional<FileId> now = fileIdOf(file); !now || now != c->id)
        return tell(file, writes, QStringLiteral("等待写入期间，文件已被另一个文件替换，或已被移走、删除"));
    std::optional<Db::ScopedConnection> own;
    if (state().CnName != connection) {
        own.emplace(QStringLiteral("waiting"), file, Db::OpenMode::ReadWrite);
        if (!own->ok()) return tell(file, writes, own->error().description);
    }
    const QSqlDatabase db = own ? own->db() : state().Cn();
    for (const Waiting& write : writes)
        if (const Status made = write.write(db); !made) tell(file, {write}, made.error().description);
}

void WaitingWrites::makeWhenFree(const QString& connection)
{
    if (state().CnName == connection && Db::inTransaction(state().Cn())) {
        QTimer::singleShot(100, QCoreApplication::instance(),
                           [this, connection] { makeWhenFree(connection); });
        return;
    }
    makeNow(connection);
}

void WaitingWrites::foundSound(const QString& connection, const QString& file)
{
    Connection* c = state().CnName == connection ? &working(file) : find(connection);
    if (!c) return;
    c->verdict = Verdict::Sound;
    makeWhenFree(connection);
}

void WaitingWrites::foundNotSound(const QString& connection, const QString& file, const QString& cause,
                                  bool told)
{
    Connection* c = state().CnName == connection ? &working(file) : find(connection);
    if (!c) return;
    c->verdict = Verdict::NotSound;
    c->cause = cause;
    const QList<Waiting> writes = std::exchange(c->writes, {});
    if (!told) tell(c->file, writes, cause);
}

void WaitingWrites::finish()
{
    const auto waiting = [](const Connection& c) { return !c.writes.isEmpty(); };
    if (std::none_of(m_connections.cbegin(), m_connections.cend(), waiting)) return;
    Db::waitForBackgroundChecks();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    QStringList names;
    for (const Connection& c : m_connections)
        names << c.name;
    // A message box lets events through: each is looked up again.
    for (const QString& name : names) {
        const bool heldBack = name == state().CnName && Db::inTransaction(state().Cn());
        Connection* c = find(name);
        if (c && c->verdict == Verdict::Sound && !heldBack) makeNow(name);
        if ((c = find(name)))
            tell(c->file, std::exchange(c->writes, {}),
                 c->verdict == Verdict::Sound ? QStringLiteral("程序结束时，数据库的另一项写入尚未完成")
                                              : QStringLiteral("程序结束时，文件的每一页尚未检查完毕"));
    }
}

void WaitingWrites::forget()
{
    m_connections.clear();
}
