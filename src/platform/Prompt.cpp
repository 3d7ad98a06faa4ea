#include "Prompt.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QQueue>
#include <QSpacerItem>
#include <QStyle>
#include <QVBoxLayout>

#include <memory>

namespace {
// The room a title bar takes beside its title, in title-bar heights: the window's
// icon, its buttons and the margins.
constexpr int TitleBarHeightsBesideTitle = 6;

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
    case Prompt::Buttons::OkCancel:
        return Prompt::Answer::Ok;
    case Prompt::Buttons::YesNo:
    case Prompt::Buttons::YesNoCancel:
        return Prompt::Answer::Yes;
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

QMessageBox::Icon boxIcon(Prompt::Icon icon)
{
    switch (icon) {
    case Prompt::Icon::None:
        return QMessageBox::NoIcon;
    case Prompt::Icon::Information:
        return QMessageBox::Information;
    case Prompt::Icon::Exclamation:
        return QMessageBox::Warning;
    case Prompt::Icon::Critical:
        return QMessageBox::Critical;
    case Prompt::Icon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}
} // namespace

Prompt::Answer Prompt::ask(const QString& text, const QString& title, Buttons buttons, Icon icon,
                           QWidget* parent)
{
    PromptState& s = st();
    if (s.testMode) {
        s.shown.append(Shown{text, title, buttons, icon});
        return s.answers.isEmpty() ? firstButton(buttons) : s.answers.dequeue();
    }
    const QPointer<QMessageBox> box =
        messageBox(text, title, buttons, icon, parent ? parent : QApplication::activeWindow());
    const int answer = box->exec();
    delete box.data();
    switch (answer) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
    }
}

QMessageBox* Prompt::messageBox(const QString& text, const QString& title, Buttons buttons, Icon icon,
                                QWidget* parent)
{
    auto* box = new QMessageBox(parent);
    box->setWindowTitle(title);
    box->setText(displayText(text));
    box->setIcon(boxIcon(icon));
    QMessageBox::StandardButtons std;
    switch (buttons) {
    case Buttons::Ok:
        std = QMessageBox::Ok;
        break;
    case Buttons::OkCancel:
        std = QMessageBox::Ok | QMessageBox::Cancel;
        break;
    case Buttons::YesNo:
        std = QMessageBox::Yes | QMessageBox::No;
        break;
    case Buttons::YesNoCancel:
        std = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        break;
    }
    box->setStandardButtons(std);
    // The window's title bar holds its icon and buttons beside the title: a short
    // message must not make the box so narrow that the title is cut.
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout())) {
        const QFontMetrics metrics(QApplication::font("QMdiSubWindowTitleBar"));
        const int bar = box->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, box);
        const int width = metrics.horizontalAdvance(title) + TitleBarHeightsBesideTitle * bar;
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(),
                      0, 1, grid->columnCount());
    }
    return box;
}

void Prompt::message(const QString& text, const QString& title, Icon icon, QWidget* parent)
{
    ask(text, title, Buttons::Ok, icon, parent);
}

void Prompt::list(const QString& lead, const QStringList& items, const QString& title, Icon icon,
                  QWidget* parent)
{
    PromptState& s = st();
    if (s.testMode) {
        s.shown.append(Shown{lead, title, Buttons::Ok, icon, items});
        if (!s.answers.isEmpty()) s.answers.dequeue();
        return;
    }
    const std::unique_ptr<QDialog> box(
        listBox(lead, items, title, icon, parent ? parent : QApplication::activeWindow()));
    box->exec();
}

QDialog* Prompt::listBox(const QString& lead, const QStringList& items, const QString& title, Icon icon,
                         QWidget* parent)
{
    auto* box = new QDialog(parent);
    box->setObjectName(QStringLiteral("PromptList"));
    box->setWindowTitle(title);
    auto* layout = new QVBoxLayout(box);
    auto* top = new QHBoxLayout;
    if (icon != Icon::None) {
        auto* picture = new QLabel(box);
        // The icon of a message box with the same icon, in its size and style.
        QMessageBox same;
        same.setIcon(boxIcon(icon));
        picture->setPixmap(same.iconPixmap());
        top->addWidget(picture, 0, Qt::AlignTop);
    }
    auto* text = new QLabel(displayText(lead), box);
    text->setObjectName(QStringLiteral("Lead"));
    text->setWordWrap(true);
    top->addWidget(text, 1);
    layout->addLayout(top);
    auto* shown = new QPlainTextEdit(items.join(QLatin1Char('\n')), box);
    shown->setObjectName(QStringLiteral("Items"));
    shown->setReadOnly(true);
    shown->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(shown);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, box);
    QPushButton* copy = buttons->addButton(QStringLiteral("复制"), QDialogButtonBox::ActionRole);
    copy->setObjectName(QStringLiteral("Copy"));
    copy->setAutoDefault(false);
    QObject::connect(copy, &QPushButton::clicked, box,
                     [items] { QGuiApplication::clipboard()->setText(items.join(QLatin1Char('\n'))); });
    QObject::connect(buttons, &QDialogButtonBox::accepted, box, &QDialog::accept);
    layout->addWidget(buttons);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    buttons->button(QDialogButtonBox::Ok)->setFocus();
    return box;
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

QStringList Prompt::shownTexts()
{
    QStringList texts;
    for (const Shown& s : st().shown)
        texts << s.text;
    return texts;
}

void Prompt::clear()
{
    st().answers.clear();
    st().shown.clear();
}
