#include "DataImport.h"

#include "ExchangeWindow.h"
#include "ImportEngine.h"
#include "ImportFile.h"
#include "NumberPickerPanel.h"
#include "TableCopier.h"
#include "platform/ErrorBox.h"
#include "platform/FileDialog.h"
#include "platform/FilePaths.h"
#include "platform/Prompt.h"
#include "shell/MainWindowServices.h"
#include "shell/ProgramState.h"
#include "shell/ShellNames.h"
#include "shell/myvbs.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QVBoxLayout>

namespace {
const QString Title = QStringLiteral("提示");
} // namespace

DataImport::DataImport(QWidget* parent) : ModalDialog(parent, Keys::Import, QStringLiteral("数据库导入..."))
{
    centreOnScreen();
    setObjectName(QStringLiteral("DataImport"));
    setWindowTitle(QStringLiteral("数据导入"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        exchange::bannerLabel(QStringLiteral("Garvish数据导入"), QStringLiteral("Label1"), this));
    layout->addWidget(exchange::hintLabel(
        QStringLiteral("请先指定导入数据库文件路径，然后选择登记号进行数据导入。所选数据将追加至数据库中"
                       "，如已选登记号在数据库中已经存在，则导入时将对其重新编号。"),
        this));

    const exchange::PathFrame path = exchange::pathFrame(
        QStringLiteral("导入文件路径"), QStringLiteral("Frame1"), QStringLiteral("Command4"), this);
    m_text1 = path.text;
    connect(m_text1, &QLineEdit::returnPressed, this, &DataImport::Text1_KeyDown);
    connect(path.browse, &QPushButton::clicked, this, &DataImport::Command4_Click);
    layout->addWidget(path.frame);

    m_picker = new NumberPickerPanel(NumberPicker::Variant::Import, QStringLiteral("可选登记号："),
                                     QStringLiteral("已选登记号："), this);
    m_picker->setObjectName(QStringLiteral("Frame2"));
    layout->addWidget(m_picker);
    m_check1 = new QCheckBox(QStringLiteral("全部登记号"), this);
    m_check1->setObjectName(QStringLiteral("Check1"));
    m_check1->setEnabled(false);
    connect(m_check1, &QCheckBox::clicked, this, &DataImport::Check1_Click);
    layout->addWidget(m_check1);
    m_bar = exchange::progressBar(this);
    layout->addWidget(m_bar);

    layout->addLayout(exchange::commandRow({QStringLiteral("导入"), QStringLiteral("退出")}, this,
                                           [this](int i) { Command2_Click(i); }));
    m_picker->openState();
}

void DataImport::Command4_Click()
{
    const QString name =
        FileDialog::getOpenFileName(this, QStringLiteral("选择导入文件"), m_text1->text().trimmed(),
                                    QStringLiteral("MS Access Files(*.mdb)"));
    if (name.isEmpty() || !acceptAndList(name)) return;
    m_text1->setText(QDir::toNativeSeparators(name));
    m_check1->setEnabled(true);
}

void DataImport::Text1_KeyDown()
{
    acceptAndList(QDir::fromNativeSeparators(m_text1->text().trimmed()));
}

bool DataImport::acceptAndList(const QString& name)
{
    m_source.clear();
    if (!exchange::acceptChosenFile(name, QStringLiteral("压覆"),
                                    QStringLiteral("指定的导入文件非固体数据库,请重新选择！"),
                                    exchange::importTables(m_check1->isChecked()), this))
        return false;
    m_source = name;
    Load_Source_Numbers();
    return true;
}

void DataImport::Check1_Click()
{
    if (!m_source.isEmpty()) Load_Source_Numbers();
}

void DataImport::Load_Source_Numbers()
{
    Db::ScopedConnection file(QStringLiteral("Import_Cn"), m_source, Db::OpenMode::ReadOnly);
    m_picker->loadSource(file.ok() ? loadRegistrationNumbers(file.db(), m_check1->isChecked())
                                   : Result<QStringList>(file.error()));
}

void DataImport::Command2_Click(int index)
{
    if (index == 1) {
        reject();
        return;
    }
    const auto ended = qScopeGuard([this] { exchange::focusAfterImport(this); });
    const QString name = QDir::fromNativeSeparators(m_text1->text().trimmed());
    if (!exchange::acceptImportPath(name, this)) return;
    // The file is checked again on every import. The lists must show the file that
    // is imported: a file other than the listed one is listed first.
    const bool listed = FilePaths::sameFile(name, m_source);
    if (!exchange::acceptImportFile(name, QStringLiteral("压覆"),
                                    QStringLiteral("指定的导入文件非固体登记数据库,请重新选择！"), true,
                                    exchange::importTables(m_check1->isChecked()), this)) {
        m_source.clear();
        m_picker->setSource({});
        return;
    }
    if (!listed) {
        m_source = name;
        Load_Source_Numbers();
    }
    if (Prompt::ask(QStringLiteral("确定要导入数据吗?"), Title, Prompt::Buttons::OkCancel,
                    Prompt::Icon::Question, this) != Prompt::Answer::Ok)
        return;
    if (m_picker->picker().chosen().isEmpty()) {
        Prompt::message(QStringLiteral("未指定任何导入数据,请先设置！"), Title, Prompt::Icon::Information,
                        this);
        return;
    }
    runImport();
}

void DataImport::runImport()
{
    // No import without a backup to go back to.
    exchange::ImportRun run(m_source, this);
    if (!run.backedUp()) return;
    exchange::ImportRequest request;
    request.sourcePath = m_source;
    request.numbers = m_picker->picker().chosen();
    request.allNumbers = m_picker->picker().allChosen();
    request.everyKind = m_check1->isChecked();
    const auto imported = exchange::importRegistrations(state().Cn(), request, exchange::barProgress(m_bar));
    exchange::hideProgress(m_bar);
    run.importDone();
    if (!imported) {
        ErrorBox::show(imported.error(), this);
        return;
    }
    exchange::showOldDates(imported->oldDates, this);
    for (const QString& n : imported->refused)
        Prompt::message(exchange::refusedMessage(n), Title, Prompt::Icon::Exclamation, this);
    Prompt::message(QStringLiteral("数据导入完成！"), Title, Prompt::Icon::Information, this);
    if (mainWindow().entryWindowOpen()) mainWindow().refreshNavigation();
}
