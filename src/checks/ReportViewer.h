#pragma once

#include <QString>

#include <functional>

class QWidget;

// Opens a check report in the desktop's text viewer.
class ReportViewer
{
public:
    // True when a viewer took the file; otherwise says so in a message box.
    static bool open(const QString& path, QWidget* parent = nullptr);
    // The messages shown when the report is not there, and when no viewer could open it.
    static QString missingText(const QString& path);
    static QString failedText(const QString& path);

    // Test seam: `opener` stands in for the desktop and gets the report's path;
    // an empty function goes back to the desktop.
    static void setOpener(std::function<bool(const QString&)> opener);
};
