#include "DBDelete.h"

#include "RegionDelete.h"
#include "RegionPanel.h"
#include "RegionSelection.h"
#include "RegionTree.h"
#include "exchange/ExchangeWindow.h"
#include "platform/ErrorBox.h"
#include "platform/Prompt.h"
#include "shell/MainWindowServices.h"
#include "shell/ProgramState.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {
const QString Title = QStringLiteral("提示");
}

DBDelete::DBDelete(QWidget* parent)
    : ModalDialog(parent, QString(), QStringLiteral("数据库删除（按行政区）..."))
{
    centreOnScreen();
    setObjectName(QStringLiteral("DBDelete"));
    setWindowTitle(QStringLiteral("数据删除"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        exchange::bannerLabel(QStringLiteral("按行政区数据删除"), QStringLiteral("Label1_2"), this));
    auto* hint = exchange::hintLabel(QStringLiteral("按行政区代码删除数据。"), this);
    hint->setObjectName(QStringLiteral("Label2_1"));
    layout->addWidget(hint);
    m_region = new RegionPanel(QStringLiteral("行政区选择及删除内容设置"), this);
    connect(m_region, &RegionPanel::kindClicked, this, &DBDelete::Load_Region_Tree);
    connect(m_region, &RegionPanel::dropDownClicked, m_region, &RegionPanel::showTree);
    layout->addWidget(m_region);
    layout->addLayout(exchange::commandRow({QStringLiteral("删除"), QStringLiteral("退出")}, this,
                                           [this](int i) { Command2_Click(i); }));
    Load_Region_Tree();
}

void DBDelete::Load_Region_Tree()
{
    m_region->fill(regions::Load_Region_Tree(state().Cn(), m_region->allKinds()));
}

void DBDelete::Command2_Click(int index)
{
    if (index == 1) {
        reject();
        return;
    }
    const QString code = m_region->code();
    if (code.isEmpty()) {
        Prompt::message(QStringLiteral("请先选择行政区！"), Title, Prompt::Icon::Information, this);
        return;
    }
    // Only a code that selects a region reaches the deletion; never every region.
    if (!regions::isRegionCode(code)) {
        Prompt::message(regions::badCodeMessage(), Title, Prompt::Icon::Exclamation, this);
        return;
    }
    // The question names the region the deletion takes, from the dictionary.
    const QString prefix = regions::Region_Prefix(code);
    const QString name = regions::RegionNames(state().Cn()).Get_Region_Name(regions::regionCodeOf(prefix));
    if (Prompt::ask(QStringLiteral("确定要删除【") + name + QStringLiteral("】行政区数据吗?"), Title,
                    Prompt::Buttons::OkCancel, Prompt::Icon::Question, this) != Prompt::Answer::Ok)
        return;
    const auto deleted = regions::Delete_Region_Data(state().Cn(), prefix, m_region->allKinds());
    if (!deleted) {
        ErrorBox::show(deleted.error(), this);
        return;
    }
    Prompt::message(QStringLiteral("【") + name + QStringLiteral("】行政区数据删除完成！"), Title,
                    Prompt::Icon::Information, this);
    Load_Region_Tree();
    if (mainWindow().entryWindowOpen()) mainWindow().refreshNavigation();
}
