#include "DataExportXzq.h"

#include "RegionExport.h"
#include "RegionPanel.h"
#include "RegionSelection.h"
#include "RegionTree.h"
#include "exchange/DataExport.h"
#include "exchange/ExchangeWindow.h"
#include "platform/ErrorBox.h"
#include "platform/Prompt.h"
#include "shell/ProgramState.h"
#include "shell/ShellNames.h"
#include "shell/myvbs.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString Title = QStringLiteral("提示");
const QString Overwrite = QStringLiteral("文件已经存在,是否覆盖?");
} // namespace

DataExportXzq::DataExportXzq(QWidget* parent)
    : ModalDialog(parent, Keys::Export, QStringLiteral("数据库导出（按行政区）..."))
{
    centreOnScreen();
    setObjectName(QStringLiteral("DataExportXzq"));
    setWindowTitle(QStringLiteral("行政区数据导出"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        exchange::bannerLabel(QStringLiteral("按行政区数据导出"), QStringLiteral("Label1"), this));
    layout->addWidget(
        exchange::hintLabel(QStringLiteral("请定行政区代码及数据库导出文件路径，然后进行数据导出。"
                                           "如果行政区不选择，则全库导出选定类型登记数据。"),
                            this));
    m_region = new RegionPanel(QStringLiteral("行政区选择及导出数据设置"), this);
    connect(m_region, &RegionPanel::kindClicked, this, &DataExportXzq::Load_Region_Tree);
    connect(m_region, &RegionPanel::dropDownClicked, m_region, &RegionPanel::showTree);
    layout->addWidget(m_region);
    const exchange::PathFrame path = exchange::pathFrame(
        QStringLiteral("导出文件路径"), QStringLiteral("Frame2"), QStringLiteral("Command3"), this);
    m_text1 = path.text;
    connect(path.browse, &QPushButton::clicked, this, &DataExportXzq::Command3_Click);
    layout->addWidget(path.frame);
    m_bar = exchange::progressBar(this);
    layout->addWidget(m_bar);
    layout->addLayout(exchange::commandRow({QStringLiteral("导出"), QStringLiteral("退出")}, this,
                                           [this](int i) { Command2_Click(i); }));

    m_text1->setText(QDir::toNativeSeparators(DataExport::defaultTarget(state().ProgramDir)));
    Load_Region_Tree();
}

void DataExportXzq::Load_Region_Tree()
{
    m_region->fill(regions::Load_Region_Tree(state().Cn(), m_region->allKinds()));
}

void DataExportXzq::Command3_Click()
{
    exchange::chooseExportTarget(m_text1, this);
}

void DataExportXzq::Command2_Click(int index)
{
    if (index == 1) {
        reject();
        return;
    }
    const QString target = exchange::typedExportTarget(m_text1, Title, this);
    if (target.isEmpty()) return;
    const QString code = m_region->code();
    if (code.isEmpty()) {
        if (Prompt::ask(QStringLiteral("行政区未选择,导出全库数据吗?"), Title, Prompt::Buttons::OkCancel,
                        Prompt::Icon::Question, this) != Prompt::Answer::Ok)
            return;
    } else if (!regions::isRegionCode(code)) {
        // A code that selects no region would silently export every region.
        Prompt::message(regions::badCodeMessage(), Title, Prompt::Icon::Exclamation, this);
        return;
    }
    if (!exchange::acceptExportTarget(target, m_text1, this)) return;
    if (myvbs::FileExist(target)) {
        if (Prompt::ask(Overwrite, Title, Prompt::Buttons::YesNo, Prompt::Icon::Question, this) !=
            Prompt::Answer::Yes)
            return;
    } else if (!code.isEmpty()) {
        if (Prompt::ask(QStringLiteral("确定要导出数据吗?"), Title, Prompt::Buttons::OkCancel,
                        Prompt::Icon::Question, this) != Prompt::Answer::Ok)
            return;
    }

    regions::RegionExportRequest request;
    request.templatePath = exchange::templatePath();
    request.target = target;
    request.prefix = code.isEmpty() ? QString() : regions::Region_Prefix(code);
    request.allKinds = m_region->allKinds();
    request.provinceCode = state().ProvinceCode;
    const Status done = regions::exportRegion(state().Cn(), request, exchange::barProgress(m_bar));
    exchange::hideProgress(m_bar);
    if (!done) {
        ErrorBox::show(done.error(), this);
        return;
    }
    Prompt::message(QStringLiteral("数据导出完成！"), Title, Prompt::Icon::Information, this);
}
