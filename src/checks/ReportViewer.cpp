#include "ReportViewer.h"

#include "platform/Prompt.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {
std::function<bool(const QString&)>& opener()
{
    static std::function<bool(const QString&)> f;
    return f;
}
} // namespace

bool ReportViewer::open(const QString& path, QWidget* parent)
{
    bool opened = false;
    if (opener())
        opened = opener()(path);
    else if (QFileInfo(path).isFile())
        opened = QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    if (!opened) Prompt::message(failedText(path), QStringLiteral("提示"), Prompt::Icon::Exclamation, parent);
    return opened;
}

QString ReportViewer::failedText(const QString& path)
{
    return QStringLiteral("无法打开检查结果文件：") + QDir::toNativeSeparators(path);
}

void ReportViewer::setOpener(std::function<bool(const QString&)> f)
{
    opener() = std::move(f);
}
