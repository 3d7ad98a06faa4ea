#include "CheckReport.h"

#include <QDir>
#include <QSaveFile>

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
    return Db::Error{75, source, QStringLiteral("无法写入文件 %1").arg(QDir::toNativeSeparators(path))};
}

Status CheckReport::save(const QString& path) const
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return writeError(path, QStringLiteral("CheckReport"));
    if (f.write(m_bytes) != m_bytes.size() || !f.commit())
        return writeError(path, QStringLiteral("CheckReport"));
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
