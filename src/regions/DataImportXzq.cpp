#include "DataImportXzq.h"

#include "FrmMsgbox.h"
#include "PromptingImport.h"
#include "RegionImport.h"
#include "RegionPanel.h"
#include "RegionSelection.h"
#include "RegionTree.h"
#include "exchange/ExchangeWindow.h"
#include "exchange/ImportFile.h"
#include "platform/ErrorBox.h"
#include "platform/FileDialog.h"
#include "platform/FilePaths.h"
#include "platform/Prompt.h"
#include "shell/KCUTIL_Paths.h"
#include "shell/MainWindowServices.h"
#include "shell/ProgramState.h"
#include "shell/ShellNames.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QVBoxLayout>

namespace {
const QString Title = QStringLiteral("提示");
const QString NotRegistration = QStringLiteral("指定的导入文件非固体登记数据库,请重新选择！");
const QString Overlay = QStringLiteral("压覆");
} // namespace

DataImportXzq::DataImportXzq(QWidget* parent)
    : ModalDialog(parent, Keys::Import, QStringLiteral("数据库导入..."))
{
    centreOnScreen();
    setObjectName(QStringLiteral("DataImportXzq"));
    setWindowTitle(QStringLiteral("行政区数据导入"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(exchange::bannerLabel(QStringLiteral("Garvish数据导入（先删除行政区原数据）"),
                                            QStringLiteral("Label1"), this));
    const exchange::PathFrame path = exchange::pathFrame(
        QStringLiteral("导入文件路径"), QStringLiteral("Frame1_0"), QStringLiteral("Command4"), this);
    m_text1 = path.text;
    connect(path.browse, &QPushButton::clicked, this, &DataImportXzq::Command4_Click);
    layout->addWidget(path.frame);
    m_region = new RegionPanel(QStringLiteral("行政区选择及导入数据设置"), this);
    m_region->setObjectName(QStringLiteral("Frame1_1"));
    connect(m_region, &RegionPanel::kindClicked, this, &DataImportXzq::Option1_Click);
    connect(m_region, &RegionPanel::dropDownClicked, this, &DataImportXzq::Command1_Click);
    layout->addWidget(m_region);
    layout->addWidget(
        exchange::hintLabel(QStringLiteral("请指定导入数据库文件路径及行政区代码，然后进行数据导入。"
                                           "如果行政区不选择，则导入全部选定类型登记数据。"),
                            this));
    m_bar = exchange::progressBar(this);
    layout->addWidget(m_bar);
    layout->addLayout(exchange::commandRow({QStringLiteral("导入"), QStringLiteral("退出")}, this,
                                           [this](int i) { Command2_Click(i); }));
}

void DataImportXzq::Command4_Click()
{
    const QString name = FileDialog::getOpenFileName(this, QStringLiteral("选择导入文件"),
                                                     KCUTIL::Get_File_Name(m_text1->text().trimmed()),
                                                     QStringLiteral("MS Access Files(*.mdb)"));
    if (name.isEmpty()) return;
    // A refused file leaves the path box and the tree on the file accepted before.
    if (!exchange::acceptChosenFile(name, Overlay, NotRegistration,
                                    regions::importTables(m_region->allKinds()), this))
        return;
    m_source = name;
    m_text1->setText(QDir::toNativeSeparators(name));
    Load_Region_Tree();
}

void DataImportXzq::Load_Region_Tree()
{
    if (m_source.isEmpty()) {
        m_region->fill({});
        return;
    }
    Db::ScopedConnection file(QStringLiteral("Import_Cn"), m_source, Db::OpenMode::ReadOnly);
    m_region->fill(file.ok() ? regions::Load_Region_Tree(file.db(), m_region->allKinds())
                             : RegionPickerNodes::Nodes());
}

void DataImportXzq::checkAndLoadTree(bool pathAccepted)
{
    // Only a file that passed the checks is read: a path typed into the box is
    // opened and checked first.
    if (openImportFile(pathAccepted))
        Load_Region_Tree();
    else
        m_region->fill({});
}

void DataImportXzq::Option1_Click()
{
    if (!m_text1->text().trimmed().isEmpty()) checkAndLoadTree(false);
}

void DataImportXzq::Command1_Click()
{
    const QString path = QDir::fromNativeSeparators(m_text1->text().trimmed());
    if (!exchange::acceptImportPath(path, this)) return;
    // The tree shows the regions of the file in the box: a file typed there since
    // is read first.
    if (!FilePaths::sameFile(path, m_source)) {
        checkAndLoadTree(true);
        if (m_source.isEmpty()) return;
    }
    m_region->showTree();
}

bool DataImportXzq::openImportFile(bool pathAccepted)
{
    const QString path = QDir::fromNativeSeparators(m_text1->text().trimmed());
    const QStringList reads = regions::importTables(m_region->allKinds());
    // The file accepted already is checked again for the kinds now chosen.
    if (FilePaths::sameFile(path, m_source)) return exchange::acceptImportTables(path, reads, this);
    m_source.clear();
    if ((!pathAccepted && !exchange::acceptImportPath(path, this)) ||
        !exchange::acceptImportFile(path, Overlay, NotRegistration, true, reads, this))
        return false;
    m_source = path;
    return true;
}

void DataImportXzq::Command2_Click(int index)
{
    if (index == 1) {
        reject();
        return;
    }
    const auto ended = qScopeGuard([this] { exchange::focusAfterImport(this); });
    if (!exchange::acceptImportPath(QDir::fromNativeSeparators(m_text1->text().trimmed()), this)) return;
    const QString code = m_region->code();
    if (code.isEmpty()) {
        if (Prompt::ask(QStringLiteral("行政区未选择,导入全库数据吗?"), Title, Prompt::Buttons::OkCancel,
                        Prompt::Icon::Question, this) != Prompt::Answer::Ok)
            return;
    } else if (!regions::isRegionCode(code)) {
        // A code that selects no region is refused before anything is written.
        Prompt::message(regions::badCodeMessage(), Title, Prompt::Icon::Exclamation, this);
        return;
    }
    if (!openImportFile(true)) return;
    if (!code.isEmpty() && Prompt::ask(QStringLiteral("确定要导入数据吗?"), Title, Prompt::Buttons::OkCancel,
                                       Prompt::Icon::Question, this) != Prompt::Answer::Ok)
        return;
    // No import without a backup to go back to.
    exchange::ImportRun run(m_source, this);
    if (!run.backedUp()) return;
    state().Prompt_Answer = 0;
    m_skipped = QStringList{QString()};
    regions::RegionImportRequest request;
    request.sourcePath = m_source;
    request.prefix = code.isEmpty() ? QString() : regions::Region_Prefix(code);
    request.allKinds = m_region->allKinds();
    const auto imported = regions::Replace_Region_Data(state().Cn(), request, exchange::barProgress(m_bar));
    exchange::hideProgress(m_bar);
    run.importDone();
    if (!imported) {
        ErrorBox::show(imported.error(), this);
        return;
    }
    exchange::showOldDates(imported->oldDates, this);
    Prompt::message(QStringLiteral("数据导入完成！"), Title, Prompt::Icon::Information, this);
    if (mainWindow().entryWindowOpen()) mainWindow().refreshNavigation();
}

void DataImportXzq::Prompt_Import_Table(const QString& table)
{
    Prompt_Import_Kind_Table(table, Overlay);
}

void DataImportXzq::Prompt_Import_Kind_Table(const QString& table, const QString& kind)
{
    if (state().Prompt_Answer == regions::StopImport || m_source.isEmpty()) return;
    exchange::AttachedDatabase source(state().Cn(), m_source, QStringLiteral("src"));
    if (!source.ok()) {
        ErrorBox::show(source.error(), this);
        return;
    }
    regions::PromptingRun run;
    run.prefix =
        regions::isRegionCode(m_region->code()) ? regions::Region_Prefix(m_region->code()) : QString();
    run.overlayOnly = !m_region->allKinds();
    run.answer = &state().Prompt_Answer;
    run.skipped = &m_skipped;
    run.ask = [this](const QString& message) { return FrmMsgbox::ask(message, this); };
    const auto imported = regions::Prompt_Import_Kind_Table(state().Cn(), table, kind, run);
    if (!imported) {
        ErrorBox::show(imported.error(), this);
        return;
    }
    exchange::showOldDates(imported->oldDates, this);
}
