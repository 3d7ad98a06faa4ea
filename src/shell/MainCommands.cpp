#include "MainCommands.h"

#include "CommandTargets.h"
#include "ProgramState.h"
#include "ShellNames.h"

namespace MainCommands {

namespace {

MenuItem item(const QString& caption, Action action = Action::None, const QString& window = QString(), int mode = 0)
{
    return MenuItem{caption, Command{action, window, mode}};
}

MenuItem window(const QString& caption, const QString& name)
{
    return item(caption, Action::OpenWindow, name);
}

MenuItem separator()
{
    return item(QStringLiteral("-"));
}

} // namespace

QString menuTitle(Menu menu)
{
    switch (menu) {
    case Menu::DJ: return QStringLiteral("日常登记(&R)");
    case Menu::DATA: return QStringLiteral("数据交换(&D)");
    case Menu::ELSE: return QStringLiteral("数据维护(&E)");
    case Menu::HELP: return QStringLiteral("帮助(&H)");
    case Menu::EDIT: return QStringLiteral("编辑");
    case Menu::DRAW: return QStringLiteral("设置");
    }
    return QString();
}

const QList<MenuItem>& menuItems(Menu menu)
{
    static const QList<MenuItem> dj{
        window(QStringLiteral("固体压覆资源储量登记(&R)"), WindowNames::NewTab),
        separator(),
        item(QStringLiteral("保存(&S)"), Action::Save),
        item(QStringLiteral("删除(&D)"), Action::Delete),
        separator(),
        item(QStringLiteral("打印(&P)"), Action::Print, WindowNames::FrmPrintSelect),
        window(QStringLiteral("批量打印"), WindowNames::FrmPrintMany),
        separator(),
        item(QStringLiteral("退出(&E)"), Action::Exit),
    };
    static const QList<MenuItem> data{
        window(QStringLiteral("按登记号数据库导出(&E)"), WindowNames::DataExport),
        window(QStringLiteral("按行政区数据库导出(&X)"), WindowNames::DataExportXzq),
        window(QStringLiteral("按登记号数据导出XML(&O)"), WindowNames::DataXmlExport),
        separator(),
        window(QStringLiteral("按登记号数据库导入(&I)"), WindowNames::DataImport),
        window(QStringLiteral("按行政区数据库导入(&Z)"), WindowNames::DataImportXzq),
        window(QStringLiteral("全部导入(&A)"), WindowNames::DataImportAll),
        window(QStringLiteral("导入XML数据(&P)"), WindowNames::XmlImport),
        separator(),
        window(QStringLiteral("数据检查(&C)"), WindowNames::DataCheck),
        window(QStringLiteral("数据检查2(&C)"), WindowNames::FrmCheckData),
    };
    static const QList<MenuItem> other{
        window(QStringLiteral("数据词表(&D)"), WindowNames::FrmCode),
        separator(),
        window(QStringLiteral("参数设置"), WindowNames::FrmPara),
        separator(),
        window(QStringLiteral("系统设置"), WindowNames::FrmSysView),
        separator(),
        window(QStringLiteral("按行政区删除"), WindowNames::DBDelete),
        window(QStringLiteral("按登记号删除"), WindowNames::DataDelete),
        separator(),
        item(QStringLiteral("数据检查"), Action::CheckTool, QString(), 1),
        item(QStringLiteral("定制指标"), Action::CheckTool, QString(), 2),
        separator(),
        window(QStringLiteral("清理错误的矿石类型和品级"), WindowNames::FrmClearLX_PJ),
        window(QStringLiteral("数据修改"), WindowNames::DataModification),
    };
    static const QList<MenuItem> help{
        item(QStringLiteral("目录和索引(&C)"), Action::Help),
        separator(),
        window(QStringLiteral("关于Orvane(&A)..."), WindowNames::About),
    };
    static const QList<MenuItem> edit{
        item(QStringLiteral("追加(&A)")), item(QStringLiteral("插入(&I)")), item(QStringLiteral("删除(&Y)")),
        separator(),
        item(QStringLiteral("剪切(&T)")), item(QStringLiteral("复制(&C)")), item(QStringLiteral("粘贴(&P)")),
    };
    static const QList<MenuItem> draw{
        item(QStringLiteral("填充")),     item(QStringLiteral("显示拐点")), item(QStringLiteral("显示标识")),
        separator(),
        item(QStringLiteral("全部显示")), item(QStringLiteral("仅矿权")),   item(QStringLiteral("仅储量")),
    };
    switch (menu) {
    case Menu::DJ: return dj;
    case Menu::DATA: return data;
    case Menu::ELSE: return other;
    case Menu::HELP: return help;
    case Menu::EDIT: return edit;
    case Menu::DRAW: return draw;
    }
    return dj;
}

const QList<ToolButton>& toolButtons()
{
    auto open = [](const QString& name) { return Command{Action::OpenWindow, name, 0}; };
    static const QList<ToolButton> buttons{
        {Keys::New, QStringLiteral("登记"), QStringLiteral("储量登记"), open(WindowNames::NewTab), 0},
        {Keys::Export, QStringLiteral("导出"), QStringLiteral("导出登记数据"),
         open(WindowNames::DataExportXzq), 0},
        {Keys::Import, QStringLiteral("导入"), QStringLiteral("导入登记数据"),
         open(WindowNames::DataImportXzq), 1},
        {Keys::Check, QStringLiteral("检查"), QStringLiteral("数据检查"),
         Command{Action::CheckTool, QString(), 1}, 0},
        {Keys::Save, QStringLiteral("保存"), QStringLiteral("保存登记书"), Command{Action::Save, {}, 0}, 0},
        {Keys::Del, QStringLiteral("删除"), QStringLiteral("删除登记书"),
         Command{Action::DeleteAndNavigate, {}, 0}, 0},
        {Keys::Insert, QStringLiteral("引用"), QStringLiteral("引用查明或占用"),
         open(WindowNames::FrmReference), 0},
        {Keys::Print, QStringLiteral("打印"), QStringLiteral("打印登记书"),
         Command{Action::Print, WindowNames::FrmPrintSelect, 0}, 0},
        {Keys::Code, QStringLiteral("词表"), QStringLiteral("系统词典"), open(WindowNames::FrmCode), 2},
        {Keys::Para, QStringLiteral("参数"), QStringLiteral("系统参数"), open(WindowNames::FrmPara), 1},
        {Keys::Sys, QStringLiteral("系统"), QStringLiteral("显示方式"), open(WindowNames::FrmSysView), 2},
        {Keys::Exit, QStringLiteral("退出"), QStringLiteral("退出报盘子系统"), Command{Action::Exit, {}, 0},
         0},
        {Keys::Help, QStringLiteral("帮助"), QStringLiteral("帮助信息"), Command{Action::Help, {}, 0}, 0},
    };
    return buttons;
}

const ToolButton* toolButton(const QString& key)
{
    for (const ToolButton& b : toolButtons())
        if (b.key == key) return &b;
    return nullptr;
}

bool available(const Command& command, const CommandTargets& targets)
{
    switch (command.action) {
    case Action::None: return false;
    case Action::OpenWindow:
    case Action::Print: return targets.hasWindow(command.window);
    case Action::Save: return targets.entry().Check_Before_Save && targets.entry().Save_Data_All;
    case Action::Delete:
    case Action::DeleteAndNavigate: return bool(targets.entry().Delete_Data_All);
    case Action::Exit:
    case Action::Help: return true;
    case Action::CheckTool: return targets.hasRunCheckTool();
    }
    return false;
}

QString checkSystemName()
{
    return QStringLiteral("登记库压覆");
}

bool applyDrawChoice(int index, std::array<bool, 7>& checked, ProgramState& s)
{
    bool* switches[7] = {&s.MapFill,    &s.MapShowPoints, &s.MapShowLabels, nullptr,
                         &s.MapShowAll, &s.MapOnlyRight,  &s.MapOnlyReserve};
    if (index >= 0 && index <= 2) {
        checked[index] = !checked[index];
        *switches[index] = checked[index];
        return true;
    }
    if (index >= 4 && index <= 6) {
        if (checked[index]) {
            checked[index] = false;
            *switches[index] = false;
        } else {
            for (int i = 4; i <= 6; ++i) {
                checked[i] = i == index;
                *switches[i] = i == index;
            }
        }
        return true;
    }
    return false;
}

int gridCommandFor(int index)
{
    if (index >= 0 && index <= 2) return index + 1;
    if (index >= 4 && index <= 6) return index;
    return 0;
}

int mbarWidth(int clientWidthTwips)
{
    if (clientWidthTwips < 8250) return 1000;
    const int w = clientWidthTwips - 8400;
    return w < 7000 ? 7000 : w;
}

} // namespace MainCommands
