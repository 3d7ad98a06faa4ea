#include "CheckReport.h"

#include <QDir>

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
    if (!m_file.open(QIODevice::WriteOnly)) {
        m_failed = true;
        return failure();
    }
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
    if (!m_failed && m_file.isOpen() && m_file.write(m_pending) != m_pending.size()) m_failed = true;
    m_pending.clear();
}

Db::Error CheckReport::writeError(const QString& path, const QString& source, const QString& cause)
{
    QString text = QStringLiteral("无法写入文件 %1").arg(QDir::toNativeSeparators(path));
    if (!cause.isEmpty()) text += QStringLiteral("（") + cause + QStringLiteral("）");
    return Db::Error{75, source, text};
}

Db::Error CheckReport::failure() const
{
    return writeError(m_path, m_source,
                      m_file.error() == QFileDevice::NoError ? QString() : m_file.errorString());
}

Status CheckReport::commit()
{
    if (!m_file.isOpen()) return failure();
    writeOut();
    // A small write can sit in the file's buffer until the end: a full disk must
    // be seen before the old report is replaced.
    if (m_failed || !m_file.flush() || m_file.error() != QFileDevice::NoError) {
        const Db::Error e = failure();
        m_file.cancelWriting();
        m_file.commit();
        return e;
    }
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
