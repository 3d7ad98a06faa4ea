#pragma once

#include "platform/NewFile.h"
#include "platform/Result.h"

#include <QByteArray>
#include <QString>

namespace checks {

// A plain-text check report being written: each write is one text followed by
// CR LF, as UTF-8. The lines go to a temporary file in the report's folder as
// they are written, so that memory stays flat however long the report grows;
// commit() flushes and checks that file and puts it in place of the report by
// one rename. A report that is not committed leaves the old one as it was.
class CheckReport
{
public:
    // The report that will replace `path`; failures are reported under `source`.
    CheckReport(const QString& path, const QString& source);
    CheckReport(const CheckReport&) = delete;
    CheckReport& operator=(const CheckReport&) = delete;

    // Creates the temporary file. Fails when the report's folder cannot be written.
    Status open();

    // One text and CR LF.
    void writeLine(const QString& text);
    // The text as it is, without a line end.
    void write(const QString& text);

    // Writes out what is held back, flushes and checks the temporary file, and
    // renames it over the report. Any failure of a write on the way fails it, and
    // the old report stays.
    Status commit();

    // The failure of a file at `path` that cannot be written, under `source`, with the
    // cause of the system error `cause` when there is one.
    static Db::Error writeError(const QString& path, const QString& source, int cause = 0);

private:
    void writeOut();
    Db::Error failure() const;

    QString m_path;
    QString m_source;
    NewFile m_file;
    QByteArray m_pending;
};

// One section of the data-check report: its running number and its title, held
// back until the section writes its first line that is no rule line.
class ReportSection
{
public:
    ReportSection(CheckReport& report, const QString& title);

    // Raises the running number and returns it.
    int next() { return ++m_number; }

    // A line that takes the pending title in front of it.
    void line(const QString& text);
    // A rule line: never takes the title; ends with an extra CR.
    void ruleLine(const QString& text);

private:
    CheckReport& m_report;
    QString m_pendingTitle;
    int m_number = 0;
};

} // namespace checks
