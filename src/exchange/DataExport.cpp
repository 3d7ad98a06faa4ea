#include "DataExport.h"

#include "ExchangeFiles.h"
#include "ExchangeWindow.h"
#include "NumberPickerPanel.h"
#include "RegistrationExport.h"
#include "platform/Clock.h"
#include "platform/ErrorBox.h"
#include "platform/Prompt.h"
#include "shell/KCUTIL_Paths.h"
#include "shell/ProgramState.h"
#include "shell/ShellNames.h"
#include "shell/myvbs.h"

#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString Title = QStringLiteral("提示");
const QString Overwrite = QStringLiteral("文件已经存在,是否覆盖?");
} // namespace

DataExport::DataExport(QWidget* parent) : ModalDialog(parent, Keys::Export, QStringLiteral("数据库导出..."))
{
    centreOnScreen();
    setObjectName(QStringLiteral("DataExport"));
    setWindowTitle(QStringLiteral("数据导出"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        exchange::bannerLabel(QStringLiteral("Garvish数据导出"), QStringLiteral("Label1_2"), this));
    layout->addWidget(exchange::hintLabel(
        QStringLiteral("请先指定数据库导出文件路径，然后选择登记号进行数据导出。"), this));
    const exchange::PathFrame path = exchange::pathFrame(
        QStringLiteral("导出文件路径"), QStringLiteral("Frame2"), QStringLiteral("Command3"), this);
    m_text1 = path.text;
    connect(path.browse, &QPushButton::clicked, this, &DataExport::Command3_Click);
    layout->addWidget(path.frame);

    m_picker = new NumberPickerPanel(NumberPicker::Variant::Export, this);
    layout->addWidget(m_picker);

    m_bar = exchange::progressBar(this);
    layout->addWidget(m_bar);

    layout->addLayout(exchange::commandRow({QStringLiteral("导出"), QStringLiteral("退出")}, this,
                                           [this](int i) { Command2_Click(i); }));

    m_text1->setText(QDir::toNativeSeparators(defaultTarget(state().ProgramDir)));
    Load_Number_List();
    m_picker->openState();
}

QString DataExport::defaultTarget(const QString& programDir)
{
    const QDate today = Clock::today();
    const QString name =
        QStringLiteral("%1年%2月%3日.mdb").arg(today.year()).arg(today.month()).arg(today.day());
    return KCUTIL::joinPath(KCUTIL::joinPath(programDir, QStringLiteral("导出数据")), name);
}

void DataExport::Load_Number_List()
{
    m_picker->loadSource(loadRegistrationNumbers(state().Cn()));
}

void DataExport::Command3_Click()
{
    exchange::chooseExportTarget(m_text1, this);
}

void DataExport::Command2_Click(int index)
{
    if (index == 1) {
        reject();
        return;
    }
    const QString target = exchange::typedExportTarget(m_text1, Title, this);
    if (target.isEmpty()) return;
    if (m_picker->picker().chosen().isEmpty()) {
        Prompt::message(QStringLiteral("请先指定导出数据登记号！"), Title, Prompt::Icon::Information, this);
        return;
    }
    if (!exchange::acceptExportTarget(target, m_text1, this)) return;
    exchange::ExportRequest request;
    request.workingDatabase = exchange::workingDatabasePath();
    request.templatePath = exchange::templatePath();
    request.target = target;
    const QString question = myvbs::FileExist(target) ? Overwrite : QStringLiteral("确定要导出数据吗?");
    if (Prompt::ask(question, Title, Prompt::Buttons::YesNo, Prompt::Icon::Question, this) !=
        Prompt::Answer::Yes)
        return;

    request.numbers = m_picker->picker().chosen();
    request.wholeTables = m_picker->picker().allChosen();
    request.provinceCode = state().ProvinceCode;
    const Status done = exchange::exportRegistrations(request, exchange::barProgress(m_bar));
    exchange::hideProgress(m_bar);
    if (!done) {
        ErrorBox::show(done.error(), this);
        return;
    }
    Prompt::message(QStringLiteral("数据导出完成！"), Title, Prompt::Icon::Information, this);
}
