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
    const bool there = QFileInfo(path).isFile();
    bool opened = false;
    if (there)
        opened = opener() ? opener()(path)
                          : QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    if (!opened)
        Prompt::message(there ? failedText(path) : missingText(path), QStringLiteral("提示"),
                        Prompt::Icon::Exclamation, parent);
    return opened;
}

QString ReportViewer::missingText(const QString& path)
{
    return QStringLiteral("找不到检查结果文件：") + QDir::toNativeSeparators(path);
}

QString ReportViewer::failedText(const QString& path)
{
    // The desktop starts no program for a text file: none is installed or chosen.
    return QStringLiteral("无法打开检查结果文件：") + QDir::toNativeSeparators(path) +
           QStringLiteral("\n没有找到可打开文本文件的程序");
}

void ReportViewer::setOpener(std::function<bool(const QString&)> f)
{
    opener() = std::move(f);
}
