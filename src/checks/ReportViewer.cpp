#include "ReportViewer.h"

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

bool ReportViewer::open(const QString& path)
{
    if (opener()) return opener()(path);
    if (!QFileInfo(path).isFile()) return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}

QString ReportViewer::failedText(const QString& path)
{
    return QStringLiteral("无法打开检查结果文件：") + QDir::toNativeSeparators(path);
}

void ReportViewer::setOpener(std::function<bool(const QString&)> f)
{
    opener() = std::move(f);
}
