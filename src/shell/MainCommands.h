#pragma once

#include <QList>
#include <QString>

#include <array>

class CommandTargets;
struct ProgramState;

// The main window's menus and toolbar as data: captions by index, toolbar buttons
// by key, and what each one does. TabMain builds its widgets from these tables and
// dispatches through them.
namespace MainCommands {

enum class Menu {
    DJ,   // "日常登记(&R)", MENU_DJ
    DATA, // "数据交换(&D)", MENU_DATA
    ELSE, // "数据维护(&E)", MENU_ELSE
    HELP, // "帮助(&H)", MENU_HELP
    EDIT, // popup "编辑", E_MENU (coordinate grid)
    DRAW  // popup "设置", Draw_para (sketch map)
};

enum class Action {
    None,              // separators, the popup items (dispatched by their own index rules)
    OpenWindow,        // the registered window `window`
    Save,              // the save sequence
    Delete,            // the delete of the registration selected in the entry window
    DeleteAndNavigate, // the delete, then the navigation rebuilt
    Print,             // panel 1 "打印输出登记书...", then the window `window`
    Exit,              // close the main window
    CheckTool,         // the data-check component in mode `mode`
    Help               // the help file
};

struct Command
{
    Action action = Action::None;
    QString window;
    int mode = 0;
};

struct MenuItem
{
    QString caption; // "-" for a separator
    Command command;
    bool isSeparator() const { return caption == QLatin1String("-"); }
};

struct ToolButton
{
    QString key;
    QString caption;
    QString tooltip;
    Command command;
    int separatorsAfter = 0;
};

QString menuTitle(Menu menu);
// The items of a menu in index order.
const QList<MenuItem>& menuItems(Menu menu);
// The toolbar buttons in their order. The key "PRO" has no button and does nothing.
const QList<ToolButton>& toolButtons();
// The button of `key` (exact text), or nullptr.
const ToolButton* toolButton(const QString& key);

// True when the command's target is registered (help and exit always are).
bool available(const Command& command, const CommandTargets& targets);

// The system name handed to the data-check component.
QString checkSystemName();

// The sketch-map menu: items 0-2 toggle MapFill, MapShowPoints, MapShowLabels;
// items 4-6 are a group of which at most one is checked (MapShowAll, MapOnlyRight,
// MapOnlyReserve). `checked` holds the seven check marks (3 is the separator).
// Returns false for an index that is no item.
bool applyDrawChoice(int index, std::array<bool, 7>& checked, ProgramState& s);

// The grid command of a coordinate-grid popup item: 1 追加, 2 插入, 3 删除 for the
// items 0-2, 4 剪切, 5 复制, 6 粘贴 for the items 4-6; 0 for anything else.
int gridCommandFor(int index);

// Width in twips of the progress bar MBar for a client width in twips.
int mbarWidth(int clientWidthTwips);

} // namespace MainCommands
