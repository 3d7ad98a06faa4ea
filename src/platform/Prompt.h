#pragma once

#include <QList>
#include <QString>

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
    };

    static Answer ask(const QString& text, const QString& title, Buttons buttons, Icon icon,
                      QWidget* parent = nullptr);
    static void message(const QString& text, const QString& title, Icon icon = Icon::None,
                        QWidget* parent = nullptr);

    // Test seam. In test mode nothing is displayed: each box takes the next queued
    // answer, or the first button when none is queued, and is recorded.
    static void setTestMode(bool on);
    static bool testMode();
    static void setNextAnswer(Answer answer);
    static const QList<Shown>& shown();
    static QString lastText();
    static void clear();
};
