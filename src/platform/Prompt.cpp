#include "Prompt.h"

#include <QApplication>
#include <QMessageBox>
#include <QQueue>

namespace {
struct PromptState
{
    bool testMode = false;
    QQueue<Prompt::Answer> answers;
    QList<Prompt::Shown> shown;
};

PromptState& st()
{
    static PromptState s;
    return s;
}

Prompt::Answer firstButton(Prompt::Buttons b)
{
    switch (b) {
    case Prompt::Buttons::Ok:
    case Prompt::Buttons::OkCancel: return Prompt::Answer::Ok;
    case Prompt::Buttons::YesNo:
    case Prompt::Buttons::YesNoCancel: return Prompt::Answer::Yes;
    }
    return Prompt::Answer::Ok;
}

// The stored texts use CR or CR LF as their line breaks; the box wants LF.
QString displayText(QString t)
{
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}
} // namespace

Prompt::Answer Prompt::ask(const QString& text, const QString& title, Buttons buttons, Icon icon, QWidget* parent)
{
    PromptState& s = st();
    if (s.testMode) {
        s.shown.append(Shown{text, title, buttons, icon});
        return s.answers.isEmpty() ? firstButton(buttons) : s.answers.dequeue();
    }
    QMessageBox box(parent ? parent : QApplication::activeWindow());
    box.setWindowTitle(title);
    box.setText(displayText(text));
    switch (icon) {
    case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    case Icon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
    case Icon::Question: box.setIcon(QMessageBox::Question); break;
    }
    QMessageBox::StandardButtons std;
    switch (buttons) {
    case Buttons::Ok: std = QMessageBox::Ok; break;
    case Buttons::OkCancel: std = QMessageBox::Ok | QMessageBox::Cancel; break;
    case Buttons::YesNo: std = QMessageBox::Yes | QMessageBox::No; break;
    case Buttons::YesNoCancel: std = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel; break;
    }
    box.setStandardButtons(std);
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Cancel: return Answer::Cancel;
    default: return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
    }
}

void Prompt::message(const QString& text, const QString& title, Icon icon, QWidget* parent)
{
    ask(text, title, Buttons::Ok, icon, parent);
}

void Prompt::setTestMode(bool on)
{
    st().testMode = on;
}

bool Prompt::testMode()
{
    return st().testMode;
}

void Prompt::setNextAnswer(Answer answer)
{
    st().answers.enqueue(answer);
}

const QList<Prompt::Shown>& Prompt::shown()
{
    return st().shown;
}

QString Prompt::lastText()
{
    return st().shown.isEmpty() ? QString() : st().shown.constLast().text;
}

void Prompt::clear()
{
    st().answers.clear();
    st().shown.clear();
}
