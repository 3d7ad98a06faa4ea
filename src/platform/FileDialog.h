#pragma once

#include <QString>

class QWidget;

// The common file dialog. Tests queue the names the "user" picks; in test mode an
// empty queue means the dialog was cancelled.
class FileDialog
{
public:
    static QString getOpenFileName(QWidget* parent, const QString& caption, const QString& dir,
                                   const QString& filter);
    static QString getSaveFileName(QWidget* parent, const QString& caption, const QString& dir,
                                   const QString& filter);
    // A file to write that may exist already: the dialog does not ask about
    // replacing it, the caller does.
    static QString getTargetFileName(QWidget* parent, const QString& caption, const QString& dir,
                                     const QString& filter);
    static QString getExistingDirectory(QWidget* parent, const QString& caption, const QString& dir);

    static void setTestMode(bool on);
    static void setNextFileName(const QString& name);
    // Captions of the dialogs opened in test mode.
    static QStringList captions();
    static void clear();
};
