#pragma once

#include "platform/Result.h"

#include <QByteArray>
#include <QString>

namespace checks {

// A plain-text check report being written: each write is one text followed by
// CR LF, as UTF-8. The report is kept until it is saved, and saving writes a
// temporary file in the target folder that replaces the report only when complete.
class CheckReport
{
public:
    // One text and CR LF.
    void writeLine(const QString& text);
    // The text as it is, without a line end.
    void write(const QString& text);

    const QByteArray& bytes() const { return m_bytes; }
    bool isEmpty() const { return m_bytes.isEmpty(); }

    Status save(const QString& path) const;

    // The failure of a report that cannot be written.
    static Db::Error writeError(const QString& path, const QString& source);

private:
    QByteArray m_bytes;
};

// One section of the data-check report: its running number and its title, held
// back until the section writes its first line that is no rule line.
class ReportSection
{
public:
    ReportSection(CheckReport& report, const QString& title);

    // Raises the running number and returns it.
    int next() { return ++m_number; }
    // The number the next line will bear.
    int peek() const { return m_number + 1; }

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
