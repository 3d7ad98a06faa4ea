#include "FaultInjection.h"

#include "platform/Database.h"

#include <QSqlQuery>

#include <gtest/gtest.h>

const QString FaultInjection::Message = QStringLiteral("injected failure");

FaultInjection::FaultInjection(QSqlDatabase db) : m_db(std::move(db)) {}

FaultInjection::~FaultInjection()
{
    clear();
}

QString FaultInjection::kindName(Kind kind)
{
    switch (kind) {
    case Kind::Insert:
        return QStringLiteral("INSERT");
    case Kind::Update:
        return QStringLiteral("UPDATE");
    case Kind::Delete:
        return QStringLiteral("DELETE");
    }
    return QString();
}

void FaultInjection::failOn(const QString& table, Kind kind)
{
    const QString name = QStringLiteral("injected_fault_%1").arg(m_triggers.size());
    Db::Error e;
    const bool made =
        Db::exec(m_db,
                 QStringLiteral(
                     "CREATE TEMP TRIGGER %1 BEFORE %2 ON main.\"%3\" BEGIN SELECT RAISE(ABORT, '%4'); END")
                     .arg(name, kindName(kind), table, Message),
                 {}, &e)
            .has_value();
    ASSERT_TRUE(made) << e.description.toStdString();
    m_triggers << name;
}

void FaultInjection::failCommit()
{
    ASSERT_TRUE(m_reader.isEmpty());
    m_reader = QStringLiteral("fault-reader");
    Db::Error e;
    ASSERT_TRUE(Db::open(m_reader, m_db.databaseName(), Db::OpenMode::ReadOnly, &e))
        << e.description.toStdString();
    const QSqlDatabase reader = Db::connection(m_reader);
    ASSERT_TRUE(Db::exec(reader, QStringLiteral("BEGIN")).has_value());
    // The read takes the shared lock that a commit must wait for.
    ASSERT_TRUE(Db::scalar(reader, QStringLiteral("SELECT count(*) FROM sqlite_master")).isValid());
    ASSERT_TRUE(Db::exec(m_db, QStringLiteral("PRAGMA busy_timeout=20")).has_value());
}

void FaultInjection::clear()
{
    // Temporary triggers live in the connection only; the file never sees them.
    for (const QString& t : m_triggers)
        Db::exec(m_db, QStringLiteral("DROP TRIGGER IF EXISTS temp.%1").arg(t));
    m_triggers.clear();
    if (!m_reader.isEmpty()) {
        Db::exec(Db::connection(m_reader), QStringLiteral("ROLLBACK"));
        Db::close(m_reader);
        m_reader.clear();
        Db::exec(m_db, QStringLiteral("PRAGMA busy_timeout=3000"));
    }
}
