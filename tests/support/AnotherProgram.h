#pragma once

#include <QProcess>
#include <QString>

// Another running program of ours, in a process of its own, that uses files as the
// program does: through the database layer and NewFile. Each call answers what it
// said: "ok", "ok " and a path, or "failed " and why. It ends with the object.
class AnotherProgram
{
public:
    AnotherProgram();
    ~AnotherProgram();

    // Opens the database at `path` for writing, as a working database is.
    QString open(const QString& path) { return ask(QStringLiteral("open"), path); }
    // Begins a write transaction on it, waiting for no other writer.
    QString begin() { return ask(QStringLiteral("begin")); }
    // Changes the open database in a transaction left open, so much that part of the
    // change is written into the file: killed now, it leaves a hot journal.
    QString change() { return ask(QStringLiteral("change")); }
    // Makes a temporary file of ours beside `target` and goes on writing it: answers its path.
    QString write(const QString& target) { return ask(QStringLiteral("write"), target); }
    // Holds SQLite's shared lock on the file at `path` as another program reading it
    // does, without SQLite: a killed writer's journal beside it stays as it is.
    QString share(const QString& path) { return ask(QStringLiteral("share"), path); }
    // Reads the file at `path` through a descriptor of its own, and closes it.
    QString peek(const QString& path) { return ask(QStringLiteral("peek"), path); }
    // Ends the program by SIGKILL, as a power cut or a killed program ends.
    void kill();

private:
    QString ask(const QString& command, const QString& argument = QString());

    QProcess m_process;
};
