#include "FrmCheckData.h"

#include "CheckDataRun.h"
#include "CheckDialogParts.h"
#include "ReportViewer.h"
#include "platform/BusyCursor.h"
#include "platform/ErrorBox.h"
#include "platform/Prompt.h"
#include "shell/MAINBAS.h"
#include "shell/ProgramState.h"
#include "shell/ShellNames.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

FrmCheckData::FrmCheckData(QWidget* parent) : ModalDialog(parent, {}, {})
{
    centreOnScreen();
    setObjectName(WindowNames::FrmCheckData);
    setWindowTitle(QStringLiteral("登记库DJK数据检查"));
    setModal(true);

    auto* Picture1 = new QFrame(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFrameShape(QFrame::StyledPanel);
    auto* Label1 = new QLabel(QStringLiteral("矿产资源储量登记库DJK数据检查（必填项）"), Picture1);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont bold = Label1->font();
    bold.setBold(true);
    bold.setPointSize(9);
    Label1->setFont(bold);
    (new QHBoxLayout(Picture1))->addWidget(Label1);

    auto* Frame1 = new QGroupBox(QStringLiteral("数据检查分类"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto box = [Frame1](const char* name, const QString& caption) {
        auto* b = new QCheckBox(caption, Frame1);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    Check1 = box("Check1", QStringLiteral("必填数据项检查"));
    Check2 = box("Check2", QStringLiteral("平衡检查"));
    Check3 = box("Check3", QStringLiteral("数值逻辑检查"));
    Check4 = box("Check4", QStringLiteral("数据一致性检查"));
    Check2->setEnabled(false);
    auto* boxes = new QHBoxLayout(Frame1);
    for (QCheckBox* b : {Check1, Check2, Check3, Check4})
        boxes->addWidget(b);

    m_progress = checks::newCheckProgressBar(this, QStringLiteral("Progress"));

    auto* buttons = checks::newCheckButtonRow(
        this, QStringLiteral("Command2"),
        {QStringLiteral("开始"), QStringLiteral("退 出"), QStringLiteral("浏览检查结果")}, {2, 0, 1}, false,
        Command2, [this](int i) { Command2_Click(i); });

    auto* v = new QVBoxLayout(this);
    v->addWidget(Picture1);
    v->addWidget(Frame1);
    v->addWidget(m_progress);
    v->addLayout(buttons);

    Form_Load();
}

void FrmCheckData::Form_Load()
{
    m_databaseFile = MAINBAS::Database_File();
    Command2[2]->hide();
}

void FrmCheckData::reject()
{
    if (m_running) return;
    ModalDialog::reject();
}

void FrmCheckData::Command2_Click(int index)
{
    switch (index) {
    case 0:
        start();
        break;
    case 1:
        reject();
        break;
    case 2:
        ReportViewer::open(checks::CheckDataRun::reportPath(m_databaseFile), this);
        Command2[2]->hide();
        break;
    default:
        break;
    }
}

void FrmCheckData::start()
{
    checks::CheckGroups groups;
    groups.required = Check1->isChecked();
    groups.numeric = Check3->isChecked();
    groups.consistency = Check4->isChecked();
    if (!groups.any() && !Check2->isChecked()) {
        Prompt::message(QStringLiteral("请选择相应的数据检查项！"), QStringLiteral("数据检查2"),
                        Prompt::Icon::Exclamation, this);
        return;
    }

    m_running = true;
    for (QPushButton* b : Command2)
        b->setEnabled(false);
    Result<checks::CheckDataRun::Outcome> result = checks::CheckDataRun::Outcome::Done;
    {
        BusyCursor busy;
        checks::CheckDataRun run(state().ProgramDir, m_databaseFile, [this](int value, int maximum) {
            m_progress->setMaximum(maximum);
            m_progress->setValue(value);
            m_progress->show();
            QApplication::processEvents();
        });
        result = run.run(groups);
    }
    m_progress->hide();
    for (QPushButton* b : Command2)
        b->setEnabled(true);
    m_running = false;

    if (!result) {
        ErrorBox::show(result.error(), this);
        return;
    }
    if (const QString refusal = checks::CheckDataRun::refusal(*result, m_databaseFile); !refusal.isEmpty()) {
        Prompt::message(refusal, QStringLiteral("数据检查2"), Prompt::Icon::Exclamation, this);
        return;
    }
    if (*result == checks::CheckDataRun::Outcome::TemplateMissing) {
        Prompt::ask(QStringLiteral("系统文件DJK.SYS破坏！"), QStringLiteral("提示"), Prompt::Buttons::YesNo,
                    Prompt::Icon::Information, this);
        return;
    }
    Prompt::message(QStringLiteral("完成对储量登记库DJK的数据检查！"), QStringLiteral("数据检查"),
                    Prompt::Icon::Exclamation, this);
    Command2[2]->show();
}
