#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>

#include <memory>

// Makes a multi-table write fail part way, as a full disk or a vanished file would:
// an aborting trigger on one table and statement kind, or a commit that cannot get
// its lock. Everything added is taken away again by clear() and the destructor.
class FaultInjection
{
public:
    enum class Kind { Insert, Update, Delete };

    // The text every injected statement fails with.
    static const QString Message;

    explicit FaultInjection(QSqlDatabase db);
    ~FaultInjection();
    FaultInjection(const FaultInjection&) = delete;
    FaultInjection& operator=(const FaultInjection&) = delete;

    // Every `kind` statement on `table` fails with Message.
    void failOn(const QString& table, Kind kind);
    // The commit fails: a second connection keeps a read open on the file and the
    // writer waits only briefly for it.
    void failCommit();
    void clear();

    static QString kindName(Kind kind);

private:
    QSqlDatabase m_db;
    QStringList m_triggers;
    QString m_reader;
};
