#include "FrmClearLX_PJ.h"

#include "CheckDialogParts.h"
#include "ClearTypesAndGrades.h"
#include "platform/ErrorBox.h"
#include "platform/Prompt.h"
#include "shell/MainWindowServices.h"
#include "shell/ProgramState.h"
#include "shell/ShellNames.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

FrmClearLX_PJ::FrmClearLX_PJ(QWidget* parent) : ModalDialog(parent, {}, {})
{
    centreOnScreen();
    setObjectName(WindowNames::FrmClearLX_PJ);
    setWindowTitle(QStringLiteral("清理错误的矿石类型和品级"));
    setModal(true);

    auto* Label1 = new QLabel(QStringLiteral("依据词表,对资源储量表中错误的矿石类型和错误的矿石品级进行清理:"
                                             "无对应矿石类型的更新为70010,无对应矿石品级的更新为32或500."),
                              this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setMinimumWidth(380);
    auto* Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    ProgressBar1 = checks::newCheckProgressBar(this, QStringLiteral("ProgressBar1"));

    auto* buttons = checks::newCheckButtonRow(this, QStringLiteral("Command1"),
                                              {QStringLiteral("清理"), QStringLiteral("退出")}, {0, 1}, true,
                                              Command1, [this](int i) { Command1_Click(i); });

    auto* v = new QVBoxLayout(this);
    v->addWidget(Label1);
    v->addWidget(Label2);
    v->addWidget(ProgressBar1);
    v->addLayout(buttons);

    Form_Load();
}

void FrmClearLX_PJ::Form_Load()
{
    // Left standing after the dialog closes, until another window writes it.
    mainWindow().setPanelText(1, QStringLiteral("清理错误的矿石类型和品级..."));
}

void FrmClearLX_PJ::reject()
{
    if (m_running) return;
    ModalDialog::reject();
}

void FrmClearLX_PJ::Command1_Click(int index)
{
    for (QPushButton* b : Command1)
        b->setEnabled(false);
    if (index == 0) {
        m_running = true;
        ProgressBar1->setRange(0, 40);
        ProgressBar1->setValue(0);
        ProgressBar1->show();
        ProgressBar1->setValue(1);
        const Status done = checks::ClearTypesAndGrades::run(state().Cn(), [this] {
            ProgressBar1->setValue(ProgressBar1->value() + 1);
            QApplication::processEvents();
        });
        m_running = false;
        if (!done) {
            ErrorBox::show(done.error(), this);
        } else {
            ProgressBar1->setValue(40);
            Prompt::message(QStringLiteral("清理完毕"), QStringLiteral("提示"), Prompt::Icon::None, this);
        }
    }
    reject();
}
