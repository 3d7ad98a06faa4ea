#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QDialog;
class QMessageBox;
class QWidget;

// Message boxes. Every message of the program goes through here with its exact
// text, title, buttons and icon, so that tests can answer them and read what was
// shown.
class Prompt
{
public:
    enum class Icon { None, Information, Exclamation, Critical, Question };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    struct Shown
    {
        QString text;
        QString title;
        Buttons buttons = Buttons::Ok;
        Icon icon = Icon::None;
        QStringList list; // the items of a list box
    };

    static Answer ask(const QString& text, const QString& title, Buttons buttons, Icon icon,
                      QWidget* parent = nullptr);
    static void message(const QString& text, const QString& title, Icon icon = Icon::None,
                        QWidget* parent = nullptr);
    // One box for many items of the same message: `lead` above the items, one a
    // line, in a list that scrolls and can be copied ("复制"), and an OK button.
    static void list(const QString& lead, const QStringList& items, const QString& title, Icon icon,
                     QWidget* parent = nullptr);
    // The box that ask() shows, not yet shown.
    static QMessageBox* messageBox(const QString& text, const QString& title, Buttons buttons, Icon icon,
                                   QWidget* parent = nullptr);
    // The window that list() shows, not yet shown.
    static QDialog* listBox(const QString& lead, const QStringList& items, const QString& title, Icon icon,
                            QWidget* parent = nullptr);

    // Test seam. In test mode nothing is displayed: each box takes the next queued
    // answer, or the first button when none is queued, and is recorded.
    static void setTestMode(bool on);
    static bool testMode();
    static void setNextAnswer(Answer answer);
    static const QList<Shown>& shown();
    static QString lastText();
    // The texts of the boxes shown, in order.
    static QStringList shownTexts();
    static void clear();
};
