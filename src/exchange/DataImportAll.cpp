#include "DataImportAll.h"

#include "AppendImport.h"
#include "ExchangeWindow.h"
#include "ImportFile.h"
#include "platform/ErrorBox.h"
#include "platform/FileDialog.h"
#include "platform/FilePaths.h"
#include "platform/Prompt.h"
#include "shell/MainWindowServices.h"
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
#include <QRadioButton>
#include <QScopeGuard>
#include <QVBoxLayout>

namespace {
const QString Title = QStringLiteral("提示");
const QString NotRegistration = QStringLiteral("指定的导入文件非固体登记数据库,请重新选择！");
} // namespace

// Opening writes the status text but presses no button; closing releases "IMPORT".
DataImportAll::DataImportAll(QWidget* parent)
    : ModalDialog(parent, QString(), QStringLiteral("数据库追加导入..."))
{
    centreOnScreen();
    setObjectName(QStringLiteral("DataImportAll"));
    setWindowTitle(QStringLiteral("全部导入"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        exchange::bannerLabel(QStringLiteral("Garvish数据全部追加导入"), QStringLiteral("Label1"), this));
    layout->addWidget(exchange::hintLabel(
        QStringLiteral("请指定导入数据库文件路径，然后进行数据导入。导入时保持原登记号不变，重复数据不予"
                       "导入，其余数据全部追加至当前数据库中。可用以进行数据库合并等。"),
        this));

    const exchange::PathFrame path = exchange::pathFrame(
        QStringLiteral("导入文件路径"), QStringLiteral("Frame1"), QStringLiteral("Command4"), this);
    m_text1 = path.text;
    connect(path.browse, &QPushButton::clicked, this, &DataImportAll::Command4_Click);
    layout->addWidget(path.frame);

    const QString options[2] = {QStringLiteral("仅压覆登记"),
                                QStringLiteral("查明、占用、停办、压覆全部登记")};
    for (int i = 0; i < 2; ++i) {
        m_option1[i] = new QRadioButton(options[i], this);
        m_option1[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        layout->addWidget(m_option1[i]);
    }
    m_option1[0]->setChecked(true);
    m_bar = exchange::progressBar(this);
    layout->addWidget(m_bar);

    layout->addLayout(exchange::commandRow({QStringLiteral("导入"), QStringLiteral("退出")}, this,
                                           [this](int i) { Command2_Click(i); }));
}

void DataImportAll::done(int result)
{
    mainWindow().pressButton(Keys::Import, false);
    ModalDialog::done(result);
}

void DataImportAll::Command4_Click()
{
    const QString name =
        FileDialog::getOpenFileName(this, QStringLiteral("选择导入文件"), m_text1->text().trimmed(),
                                    QStringLiteral("MS Access Files(*.mdb)"));
    m_source.clear();
    if (name.isEmpty() ||
        !exchange::acceptChosenFile(name, QStringLiteral("查明"), NotRegistration,
                                    exchange::appendTables(m_option1[1]->isChecked()), this))
        return;
    m_source = name;
    m_text1->setText(QDir::toNativeSeparators(name));
}

void DataImportAll::Command2_Click(int index)
{
    if (index == 1) {
        reject();
        return;
    }
    const auto ended = qScopeGuard([this] { exchange::focusAfterImport(this); });
    const QString name = QDir::fromNativeSeparators(m_text1->text().trimmed());
    if (!exchange::acceptImportPath(name, this)) return;
    // The file named in the path box is the one imported; it is checked unless it
    // is the file accepted already, whose tables are checked for the kinds now chosen.
    const QStringList reads = exchange::appendTables(m_option1[1]->isChecked());
    if (!FilePaths::sameFile(name, m_source)) {
        m_source.clear();
        if (!exchange::acceptImportFile(name, QStringLiteral("查明"), NotRegistration, true, reads, this))
            return;
        m_source = name;
    } else if (!exchange::acceptImportTables(name, reads, this)) {
        return;
    }
    Start_Append();
}

void DataImportAll::Start_Append()
{
    // No import without a backup to go back to.
    exchange::ImportRun run(m_source, this);
    if (!run.backedUp()) return;
    const auto appended = exchange::appendDatabase(state().Cn(), m_source, m_option1[1]->isChecked(),
                                                   exchange::barProgress(m_bar));
    exchange::hideProgress(m_bar);
    run.importDone();
    if (!appended) {
        ErrorBox::show(appended.error(), this);
        return;
    }
    // All of them in one list, however many there are.
    if (!appended->duplicates.isEmpty())
        Prompt::list(exchange::duplicatesLead(int(appended->duplicates.size())), appended->duplicates, Title,
                     Prompt::Icon::Exclamation, this);
    exchange::showOldDates(appended->oldDates, this);
    Prompt::message(QStringLiteral("数据导入完成！"), Title, Prompt::Icon::Information, this);
    m_source.clear();
    if (mainWindow().entryWindowOpen()) mainWindow().reloadEntryList();
}
