#include "CheckReport.h"

#include "platform/FileError.h"
#include "platform/TextFile.h"

namespace checks {

namespace {
// Lines are handed to the file in pieces of this size.
constexpr qsizetype kPiece = 64 * 1024;
} // namespace

CheckReport::CheckReport(const QString& path, const QString& source)
    : m_path(path), m_source(source), m_file(path)
{
}

Status CheckReport::open()
{
    // A report is text: it never takes the place of a database.
    if (const QString why = TextFile::refusal(m_path); !why.isEmpty()) return Db::Error{75, m_source, why};
    if (!m_file.open()) return failure();
    return Status::success();
}

void CheckReport::writeLine(const QString& text)
{
    m_pending += text.toUtf8();
    m_pending += "\r\n";
    if (m_pending.size() >= kPiece) writeOut();
}

void CheckReport::write(const QString& text)
{
    m_pending += text.toUtf8();
    if (m_pending.size() >= kPiece) writeOut();
}

void CheckReport::writeOut()
{
    // After a failure the file takes no more and keeps its first cause for commit().
    m_file.write(m_pending);
    m_pending.clear();
}

Db::Error CheckReport::writeError(const QString& path, const QString& source, int cause)
{
    return Db::Error{75, source, FileError::text(path, cause)};
}

Db::Error CheckReport::failure() const
{
    return Db::Error{75, m_source, m_file.errorString()};
}

Status CheckReport::commit()
{
    writeOut();
    // The bytes are written through to the disk before the report replaces the
    // old one: a full disk shows here at the latest.
    if (!m_file.commit()) return failure();
    return Status::success();
}

ReportSection::ReportSection(CheckReport& report, const QString& title)
    : m_report(report), m_pendingTitle(title + QStringLiteral("\r\n"))
{
}

void ReportSection::line(const QString& text)
{
    m_report.writeLine(m_pendingTitle + text);
    m_pendingTitle.clear();
}

void ReportSection::ruleLine(const QString& text)
{
    m_report.writeLine(text + QLatin1Char('\r'));
}

} // namespace checks
