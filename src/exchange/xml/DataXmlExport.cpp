#include "DataXmlExport.h"

#include "XmlCallArguments.h"
#include "XmlDefaultPath.h"
#include "tabxfer.h"

#include "exchange/ExchangeWindow.h"
#include "exchange/NumberPickerPanel.h"
#include "platform/BusyCursor.h"
#include "platform/FileDialog.h"
#include "platform/Prompt.h"
#include "shell/KCUTIL_Paths.h"
#include "shell/ProgramState.h"
#include "shell/myvbs.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
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
    centreOnScreen();
    setWindowTitle(QStringLiteral("数据导出XML"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        exchange::bannerLabel(QStringLiteral("Garvish数据导出XML"), QStringLiteral("Label1_2"), this));
    layout->addWidget(exchange::hintLabel(
        QStringLiteral("请先指定数据库导出XML文件路径，然后选择登记号进行数据导出。"), this));

    const exchange::PathFrame path = exchange::pathFrame(
        QStringLiteral("导出XML文件路径"), QStringLiteral("Frame2"), QStringLiteral("Command3"), this);
    Text1 = path.text;
    connect(path.browse, &QPushButton::clicked, this, [this] { Command3_Click(); });
    layout->addWidget(path.frame);

    m_picker = new NumberPickerPanel(NumberPicker::Variant::XmlExport, this);
    layout->addWidget(m_picker, 1);
    PBar = exchange::progressBar(this);
    layout->addWidget(PBar);
    layout->addLayout(exchange::commandRow({QStringLiteral("导出"), QStringLiteral("退出")}, this,
                                           [this](int i) { Command2_Click(i); }));
    resize(560, 420);

    Form_Load();
}

void DataXmlExport::Form_Load()
{
    Text1->setText(defaultXmlPath(state().ProgramDir));
    Load_Number_List();
    m_picker->openState();
}

void DataXmlExport::Load_Number_List()
{
    m_picker->loadSource(loadRegistrationNumbers(state().Cn()));
}

void DataXmlExport::Command3_Click()
{
    const QString chosen =
        FileDialog::getOpenOrNewFileName(this, QStringLiteral("选择导出文件"),
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
    const QString target = exchange::typedExportTarget(Text1, kTitle, this);
    if (target.isEmpty() || !exchange::acceptNotDatabaseTarget(target, Text1, this)) return;
    if (m_picker->picker().chosen().isEmpty()) {
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
    tabxfer::ExportArguments args =
        XmlCallArguments::forExport(Text1->text(), m_picker->picker().chosen().first());
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
