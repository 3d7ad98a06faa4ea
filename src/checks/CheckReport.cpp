#include "CheckReport.h"

#include "platform/NewFile.h"

namespace checks {

void CheckReport::writeLine(const QString& text)
{
    m_bytes += text.toUtf8();
    m_bytes += "\r\n";
}

void CheckReport::write(const QString& text)
{
    m_bytes += text.toUtf8();
}

Db::Error CheckReport::writeError(const QString& path, const QString& source)
{
    return Db::Error{75, source, NewFile::writeError(path)};
}

Status CheckReport::save(const QString& path) const
{
    NewFile f(path);
    // The failure names the report and the cause (a full disk shows at the latest
    // when the bytes are written through, before the report replaces the old one).
    if (!f.open() || !f.write(m_bytes) || !f.commit())
        return Db::Error{75, QStringLiteral("CheckReport"), f.errorString()};
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
