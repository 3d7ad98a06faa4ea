#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

class QWidget;

// Opens the help file with the desktop's default viewer. A missing file, or a
// file no viewer takes, is reported by name.
class HelpViewer
{
public:
    // True when the viewer was started.
    static bool open(const QString& helpFile, QWidget* parent = nullptr);

    static QString missingText(const QString& helpFile);
    static QString failedText(const QString& helpFile);

    // Test seam: `opener` stands in for the desktop (return false for "no viewer");
    // an empty function goes back to the desktop.
    static void setOpener(std::function<bool(const QUrl&)> opener);
};
