#include "HelpViewer.h"

#include "Prompt.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

namespace {
std::function<bool(const QUrl&)>& opener()
{
    static std::function<bool(const QUrl&)> f;
    return f;
}
} // namespace

QString HelpViewer::missingText(const QString& helpFile)
{
    return QStringLiteral("找不到帮助文件：") + QDir::toNativeSeparators(helpFile);
}

QString HelpViewer::failedText(const QString& helpFile)
{
    return QStringLiteral("无法打开帮助文件：") + QDir::toNativeSeparators(helpFile);
}

bool HelpViewer::open(const QString& helpFile, QWidget* parent)
{
    const QFileInfo info(helpFile);
    if (helpFile.isEmpty() || !info.isFile()) {
        Prompt::message(missingText(helpFile), QStringLiteral("提示"), Prompt::Icon::Exclamation, parent);
        return false;
    }
    const QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
    const bool ok = opener() ? opener()(url) : QDesktopServices::openUrl(url);
    if (!ok) Prompt::message(failedText(helpFile), QStringLiteral("提示"), Prompt::Icon::Exclamation, parent);
    return ok;
}

void HelpViewer::setOpener(std::function<bool(const QUrl&)> f)
{
    opener() = std::move(f);
}
