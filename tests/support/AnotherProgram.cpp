#include "AnotherProgram.h"

AnotherProgram::AnotherProgram()
{
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QStringLiteral(ORVANE_ANOTHER_PROGRAM), QStringList());
    m_process.waitForStarted();
}

AnotherProgram::~AnotherProgram()
{
    kill();
}

void AnotherProgram::kill()
{
    if (m_process.state() == QProcess::NotRunning) return;
    m_process.kill();
    m_process.waitForFinished();
}

QString AnotherProgram::ask(const QString& command, const QString& argument)
{
    if (m_process.state() != QProcess::Running) return QStringLiteral("failed not running");
    m_process.write((command + QLatin1Char(' ') + argument + QLatin1Char('\n')).toUtf8());
    while (!m_process.canReadLine())
        if (!m_process.waitForReadyRead(10000)) return QStringLiteral("failed no answer");
    return QString::fromUtf8(m_process.readLine()).trimmed();
}
