#pragma once

#include <QList>
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
    // A chooser that takes an existing file or a new name, without asking whether
    // to replace an existing one.
    static QString getOpenOrNewFileName(QWidget* parent, const QString& caption, const QString& dir,
                                        const QString& filter);
    static QString getExistingDirectory(QWidget* parent, const QString& caption, const QString& dir);

    enum class Kind { Open, Save, OpenOrNew, Directory };

    static void setTestMode(bool on);
    static void setNextFileName(const QString& name);
    // Captions of the dialogs opened in test mode.
    static QStringList captions();
    // Kinds of the dialogs opened in test mode, in order.
    static QList<Kind> kinds();
    static void clear();
};
