#include "FrmMsgbox.h"

#include "PromptingImport.h"
#include "platform/Twips.h"
#include "shell/ProgramState.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace {
QRect twips(int left, int top, int width, int height)
{
    return QRect(Twips::toPixelsX(left), Twips::toPixelsY(top), Twips::toPixelsX(width),
                 Twips::toPixelsY(height));
}
} // namespace

FrmMsgbox::FrmMsgbox(QWidget* parent) : ModalDialog(parent, {}, {})
{
    setWindowFlags(Qt::Tool | Qt::MSWindowsFixedSizeDialogHint);
    centreOnScreen();
    setObjectName(QStringLiteral("FrmMsgbox"));
    setWindowTitle(QStringLiteral("数据导入提示"));
    setFixedSize(Twips::toPixelsX(5835), Twips::toPixelsY(1755));

    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    image->setGeometry(twips(360, 270, 480, 480));
    auto* label = new QLabel(state().Prompt_Msg, this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(twips(1200, 180, 4335, 705));
    m_check1 = new QCheckBox(QStringLiteral("导入过程中不再提示"), this);
    m_check1->setObjectName(QStringLiteral("Check1"));
    m_check1->setGeometry(twips(1260, 900, 2535, 225));
    const QString captions[3] = {QStringLiteral("覆盖"), QStringLiteral("不导入"), QStringLiteral("取消")};
    const int lefts[3] = {1920, 3090, 4260};
    QPushButton* buttons[3];
    for (int i = 0; i < 3; ++i) {
        buttons[i] = new QPushButton(captions[i], this);
        buttons[i]->setObjectName(QStringLiteral("Command1_%1").arg(i));
        buttons[i]->setAutoDefault(false);
        buttons[i]->setGeometry(twips(lefts[i], 1320, 945, 285));
        connect(buttons[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    }
    // Tab order: 覆盖, 不导入, the check box, 取消.
    setTabOrder(buttons[0], buttons[1]);
    setTabOrder(buttons[1], m_check1);
    setTabOrder(m_check1, buttons[2]);
    buttons[0]->setFocus();
}

int FrmMsgbox::ask(const QString& message, QWidget* parent)
{
    state().Prompt_Msg = message;
    FrmMsgbox dialog(parent);
    dialog.exec();
    return state().Prompt_Answer;
}

void FrmMsgbox::Command1_Click(int index)
{
    const bool all = m_check1->isChecked();
    switch (index) {
    case 0:
        state().Prompt_Answer = all ? regions::OverwriteAll : regions::Overwrite;
        break;
    case 1:
        state().Prompt_Answer = all ? regions::LeaveOutAll : regions::LeaveOut;
        break;
    default:
        state().Prompt_Answer = regions::StopImport;
        break;
    }
    m_answered = true;
    accept();
}

void FrmMsgbox::done(int result)
{
    // Closing without an answer (close box, Esc) stops the import rather than
    // overwriting.
    if (!m_answered) state().Prompt_Answer = regions::StopImport;
    ModalDialog::done(result);
}
