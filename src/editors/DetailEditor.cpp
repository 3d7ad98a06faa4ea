#include "DetailEditor.h"

#include "EditorWidgets.h"

#include "platform/Prompt.h"
#include "platform/Twips.h"
#include "shell/MainWindowServices.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

namespace editors {

DetailEditor::DetailEditor(QWidget* parent, const HandOver& handOver, const QString& closeQuestion)
    : ModalDialog(parent ? parent : mainWindow().dialogParent(), QString(), QString()), m_handOver(handOver),
      m_closeQuestion(closeQuestion)
{
    // The boxes are laid out in twips for the form's 宋体 at 9 pt: in the program's
    // larger default font a whole amount would not fit its box.
    setFont(EditorWidgets::songti(9));
}

void DetailEditor::addCommandButtons(int left, int top)
{
    static const char* const captions[] = {"保 存", "删 除", "退 出"};
    for (int i = 0; i < 3; ++i) {
        auto* b = new QPushButton(QString::fromUtf8(captions[i]), this);
        b->setObjectName(QStringLiteral("Command1_%1").arg(i));
        b->setAutoDefault(false);
        b->setGeometry(Twips::toPixels(left + i * 1230, top, 1125, 285));
        m_commands[i] = b;
    }
    connect(m_commands[0], &QPushButton::clicked, this, [this] { saveClicked(); });
    connect(m_commands[1], &QPushButton::clicked, this, [this] { deleteClicked(); });
    connect(m_commands[2], &QPushButton::clicked, this, [this] { close(); });
}

void DetailEditor::watchBox(QWidget* box, bool multiLine)
{
    box->installEventFilter(this);
    (multiLine ? m_multiLine : m_singleLine) << box;
}

void DetailEditor::reject()
{
    if (m_commands[0] && m_commands[0]->isEnabled() &&
        Prompt::ask(m_closeQuestion, QStringLiteral("提示"), Prompt::Buttons::OkCancel,
                    Prompt::Icon::Information, this) == Prompt::Answer::Cancel)
        return;
    ModalDialog::reject();
}

bool DetailEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return ModalDialog::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    const bool multiLine = m_multiLine.contains(widget);
    // Only the boxes follow these keys (the pick lists keep theirs).
    if (!multiLine && !m_singleLine.contains(widget)) return ModalDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const int k = key->key();
    const bool enter = k == Qt::Key_Return || k == Qt::Key_Enter;
    if (k == Qt::Key_Escape) {
        event->accept();
        return true;
    }
    if (multiLine || event->type() != QEvent::KeyPress) return ModalDialog::eventFilter(watched, event);
    if (enter || k == Qt::Key_Down) {
        focusNextChild();
        return true;
    }
    if (k == Qt::Key_Up) {
        focusPreviousChild();
        return true;
    }
    return ModalDialog::eventFilter(watched, event);
}

} // namespace editors
