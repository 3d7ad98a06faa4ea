#include "FrmSysView.h"

#include "DisplayOption.h"
#include "MainWindowServices.h"
#include "ProgramState.h"
#include "ShellNames.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

FrmSysView::FrmSysView(QWidget* parent) : ModalDialog(parent, Keys::Sys, QStringLiteral("系统选项..."))
{
    setWindowTitle(QStringLiteral("系统选项"));

    auto* Frame1 = new QGroupBox(QStringLiteral("显示方式"), this);
    auto* g = new QGridLayout(Frame1);
    view_num = new QRadioButton(QStringLiteral("编号"), Frame1);
    view_name = new QRadioButton(QStringLiteral("名称"), Frame1);
    g->addWidget(new QLabel(QStringLiteral("显示编号："), Frame1), 0, 0);
    g->addWidget(view_num, 0, 1);
    g->addWidget(new QLabel(QStringLiteral("显示名称："), Frame1), 1, 0);
    g->addWidget(view_name, 1, 1);

    Command1[0] = new QPushButton(QStringLiteral("确定"), this);
    Command1[1] = new QPushButton(QStringLiteral("取消"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command1[0]);
    buttons->addWidget(Command1[1]);

    auto* v = new QVBoxLayout(this);
    v->addWidget(Frame1);
    v->addLayout(buttons);

    connect(Command1[0], &QPushButton::clicked, this, [this] { Command1_Click(0); });
    connect(Command1[1], &QPushButton::clicked, this, [this] { Command1_Click(1); });

    Form_Load();
}

void FrmSysView::Form_Load()
{
    markOpen();
    if (DisplayOption::showsNames(state().ViewFlag))
        view_name->setChecked(true);
    else
        view_num->setChecked(true);
}

void FrmSysView::Command1_Click(int index)
{
    if (index == 0) {
        if ((view_name->isChecked() || view_num->isChecked()) &&
            DisplayOption::apply(view_name->isChecked(), state().ProgramDir)) {
            mainWindow().relabelTree();
        }
        accept();
        return;
    }
    reject();
}
