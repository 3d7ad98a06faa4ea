#include "DataXmlExport.h"

#include "XmlCallArguments.h"
#include "XmlDefaultPath.h"
#include "XmlDialogParts.h"
#include "tabxfer.h"

#include "platform/BusyCursor.h"
#include "platform/ErrorBox.h"
#include "platform/FileDialog.h"
#include "platform/Prompt.h"
#include "shell/KCUTIL_Paths.h"
#include "shell/ProgramState.h"
#include "shell/myvbs.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kTitle = QStringLiteral("提示");
const QString kOverwrite = QStringLiteral("文件已经存在,是否覆盖?");
} // namespace

DataXmlExport::DataXmlExport(QWidget* parent)
    : ModalDialog(parent, QString(), QStringLiteral("数据库导出..."))
{
    setWindowTitle(QStringLiteral("数据导出XML"));

    auto* title =
        XmlDialogParts::title(this, QStringLiteral("Label1_2"), QStringLiteral("Garvish数据导出XML"));
    auto* hint =
        XmlDialogParts::hint(this, QStringLiteral("Label2"),
                             QStringLiteral("请先指定数据库导出XML文件路径，然后选择登记号进行数据导出。"));
    auto* Frame2 =
        XmlDialogParts::pathFrame(this, QStringLiteral("Frame2"), QStringLiteral("导出XML文件路径"), &Text1,
                                  &Command3, QStringLiteral("Command3"));

    auto* Frame1 = new QGroupBox(QStringLiteral("登记号选择"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto* grid = new QGridLayout(Frame1);
    const QString labels[2] = {QStringLiteral("可选储量登记号："), QStringLiteral("已选储量登记号：")};
    for (int i = 0; i < 2; ++i) {
        auto* label = new QLabel(labels[i], Frame1);
        label->setObjectName(QStringLiteral("Label1_%1").arg(i));
        List1[i] = new QListWidget(Frame1);
        List1[i]->setObjectName(QStringLiteral("List1_%1").arg(i));
        List1[i]->setSelectionMode(QAbstractItemView::ExtendedSelection);
        label->setBuddy(List1[i]);
        grid->addWidget(label, 0, i == 0 ? 0 : 2);
        grid->addWidget(List1[i], 1, i == 0 ? 0 : 2);
        // A click, or a selection moved with the keyboard, arms the buttons of that list.
        connect(List1[i], &QListWidget::itemClicked, this, [this, i] { List1_Click(i); });
        connect(List1[i], &QListWidget::itemSelectionChanged, this, [this, i] { List1_Click(i); });
    }
    auto* arrows = new QVBoxLayout;
    const QString arrowText[2] = {QStringLiteral("→"), QStringLiteral("←")};
    arrows->addStretch(1);
    for (int i = 0; i < 2; ++i) {
        Command1[i] = new QPushButton(arrowText[i], Frame1);
        Command1[i]->setObjectName(QStringLiteral("Command1_%1").arg(i));
        arrows->addWidget(Command1[i]);
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    }
    arrows->addStretch(1);
    grid->addLayout(arrows, 1, 1);

    PBar = new QProgressBar(this);
    PBar->setObjectName(QStringLiteral("PBar"));
    PBar->setVisible(false);

    auto* buttons = XmlDialogParts::commandRow(this, QStringLiteral("导出"), QStringLiteral("退出"), Command2,
                                               [this](int i) { Command2_Click(i); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(hint);
    layout->addWidget(Frame2);
    layout->addWidget(Frame1, 1);
    layout->addWidget(PBar);
    layout->addLayout(buttons);
    resize(560, 420);

    Form_Load();
}

void DataXmlExport::Form_Load()
{
    Text1->setText(defaultXmlPath(state().ProgramDir));
    Load_Number_List();
    Command1[0]->setEnabled(false);
    Command1[1]->setEnabled(false);
}

void DataXmlExport::Load_Number_List()
{
    List1[0]->clear();
    List1[1]->clear();
    const auto numbers = tabxfer::overlayNumbers(state().Cn());
    if (!numbers) {
        ErrorBox::show(numbers.error(), this);
        return;
    }
    List1[0]->addItems(*numbers);
}

void DataXmlExport::List1_Click(int index)
{
    Command1[0]->setEnabled(false);
    Command1[1]->setEnabled(false);
    if (List1[index]->count() > 0) Command1[index]->setEnabled(true);
}

void DataXmlExport::Command1_Click(int index)
{
    if (index == 0) {
        // The chosen list holds one number at most: the first selected one.
        if (List1[1]->count() > 0) return;
        for (int i = 0; i < List1[0]->count(); ++i) {
            if (List1[0]->item(i)->isSelected()) {
                List1[1]->addItem(List1[0]->item(i)->text());
                return;
            }
        }
    } else if (index == 1) {
        for (int i = List1[1]->count() - 1; i >= 0; --i)
            if (List1[1]->item(i)->isSelected()) delete List1[1]->takeItem(i);
        Command1[1]->setEnabled(false);
    }
}

void DataXmlExport::Command3_Click()
{
    const QString chosen =
        FileDialog::getSaveFileName(this, QStringLiteral("选择导出文件"),
                                    KCUTIL::Get_File_Name(Text1->text()), QStringLiteral("XML(*.xml)"));
    if (chosen.isEmpty()) return;
    // An existing file stays where it is: the export replaces it only once the new
    // file is complete.
    if (myvbs::FileExist(chosen) && Prompt::ask(kOverwrite, kTitle, Prompt::Buttons::YesNo,
                                                Prompt::Icon::Question, this) != Prompt::Answer::Yes)
        return;
    Text1->setText(chosen);
}

void DataXmlExport::Command2_Click(int index)
{
    if (index == 1) {
        reject();
        return;
    }
    if (index != 0) return;
    if (Text1->text().trimmed().isEmpty()) {
        Prompt::message(QStringLiteral("请先指定导出文件名！"), kTitle, Prompt::Icon::Information, this);
        Text1->setFocus();
        return;
    }
    if (List1[1]->count() == 0) {
        Prompt::message(QStringLiteral("请先指定导出数据登记号！"), kTitle, Prompt::Icon::Information, this);
        return;
    }
    const QString question =
        myvbs::FileExist(Text1->text()) ? kOverwrite : QStringLiteral("确定要导出数据吗?");
    if (Prompt::ask(question, kTitle, Prompt::Buttons::YesNo, Prompt::Icon::Question, this) ==
        Prompt::Answer::Yes)
        Export_Xml();
}

void DataXmlExport::Export_Xml()
{
    tabxfer::ExportArguments args = XmlCallArguments::forExport(Text1->text(), List1[1]->item(0)->text());
    Status outcome;
    {
        BusyCursor busy;
        outcome = tabxfer::exporttoxml(args);
    }
    if (args.status == QLatin1String("1")) {
        Prompt::message(QStringLiteral("导出成功！"), kTitle, Prompt::Icon::Information, this);
        return;
    }
    QString text = QStringLiteral("导出失败！");
    if (!outcome) text += QLatin1Char('\n') + outcome.error().description;
    Prompt::message(text, kTitle, Prompt::Icon::Information, this);
}
