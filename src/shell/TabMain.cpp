#include "TabMain.h"

#include "CommandTargets.h"
#include "KCUTIL_Toolbar.h"
#include "MAINBAS.h"
#include "ModMCD.h"
#include "ProgramState.h"
#include "ShellNames.h"
#include "platform/Clock.h"
#include "platform/HelpKeyFilter.h"
#include "platform/HelpViewer.h"
#include "platform/ProgramIcon.h"
#include "platform/Twips.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include <algorithm>
#include <cmath>

using MainCommands::Action;

namespace {

// Left edge, top and height of the progress bar on the toolbar, in twips.
constexpr int kMBarLeft = 8310;
constexpr int kMBarTop = 240;
constexpr int kMBarHeight = 195;

QStyle::StandardPixmap iconFor(const QString& key)
{
    static const QHash<QString, QStyle::StandardPixmap> icons{
        {Keys::New, QStyle::SP_FileIcon},
        {Keys::Export, QStyle::SP_ArrowUp},
        {Keys::Import, QStyle::SP_ArrowDown},
        {Keys::Check, QStyle::SP_DialogApplyButton},
        {Keys::Save, QStyle::SP_DialogSaveButton},
        {Keys::Del, QStyle::SP_TrashIcon},
        {Keys::Insert, QStyle::SP_FileLinkIcon},
        {Keys::Print, QStyle::SP_FileDialogContentsView},
        {Keys::Code, QStyle::SP_FileDialogDetailedView},
        {Keys::Para, QStyle::SP_FileDialogInfoView},
        {Keys::Sys, QStyle::SP_DesktopIcon},
        {Keys::Exit, QStyle::SP_DialogCloseButton},
        {Keys::Help, QStyle::SP_DialogHelpButton},
    };
    return icons.value(key, QStyle::SP_FileIcon);
}

} // namespace

TabMain::TabMain(CommandTargets& targets, QWidget* parent) : QMainWindow(parent), m_targets(targets)
{
    setWindowTitle(QStringLiteral("Orvane"));
    // The windows inside it take its icon, instead of Qt's.
    setWindowIcon(programIcon());
    m_mdi = new QMdiArea(this);
    setCentralWidget(m_mdi);
    buildMenus();
    buildToolbar();
    buildStatusBar();
    // F1 anywhere opens the help file.
    qApp->installEventFilter(new HelpKeyFilter([] { return state().HelpFilePath; }, this));
    connect(&m_targets, &CommandTargets::changed, this, &TabMain::refreshCommands);
    MDIForm_Load();
    resize(1024, 720);
    installMainWindowServices(this);
}

TabMain::~TabMain()
{
    if (&mainWindow() == this) installMainWindowServices(nullptr);
}

bool TabMain::openWindow(const QString& name)
{
    return m_targets.openWindow(name, *this);
}

bool TabMain::entryWindowOpen() const
{
    return state().Form_Opened[1];
}

void TabMain::reloadEntryList()
{
    if (m_targets.entry().Get_Data_All) m_targets.entry().Get_Data_All();
}

void TabMain::refreshNavigation()
{
    if (entryWindowOpen() && m_targets.entry().cobNavigate_Click) m_targets.entry().cobNavigate_Click();
}

void TabMain::showCurrentRegistration()
{
    if (m_targets.entry().Show_Current_Registration) m_targets.entry().Show_Current_Registration();
}

void TabMain::relabelTree()
{
    if (m_targets.entry().Relabel_Tree_Nodes) m_targets.entry().Relabel_Tree_Nodes();
}

void TabMain::redrawMap()
{
    if (entryWindowOpen() && m_targets.entry().Draw_Area_Map) m_targets.entry().Draw_Area_Map();
}

void TabMain::setToolbarState(QTreeView* registrationList)
{
    KCUTIL::Set_Toolbar_State(registrationList);
}

void TabMain::syncMenuToolbar()
{
    KCUTIL::Sync_Menu_Toolbar();
}

namespace {
int twipsY(int pixels)
{
    return int(std::lround(Twips::fromPixelsY(pixels)));
}
} // namespace

int TabMain::windowHeightTwips() const
{
    return twipsY(height());
}

int TabMain::statusBarHeightTwips() const
{
    return twipsY(statusBar()->height());
}

int TabMain::toolBarHeightTwips() const
{
    return m_toolbar ? twipsY(m_toolbar->height()) : 0;
}

TabMain* TabMain::instance()
{
    return qobject_cast<TabMain*>(state().MainWindow);
}

QString TabMain::idleText()
{
    return StatusText::Idle;
}

void TabMain::buildMenus()
{
    const QList<Menu> order{Menu::DJ, Menu::DATA, Menu::ELSE, Menu::HELP, Menu::EDIT, Menu::DRAW};
    for (Menu m : order) {
        MenuWidgets& w = m_menus[int(m)];
        const bool popup = m == Menu::EDIT || m == Menu::DRAW;
        w.menu = popup ? new QMenu(MainCommands::menuTitle(m), this) : menuBar()->addMenu(MainCommands::menuTitle(m));
        const QList<MainCommands::MenuItem>& items = MainCommands::menuItems(m);
        for (int i = 0; i < items.size(); ++i) {
            QAction* a = items[i].isSeparator() ? w.menu->addSeparator() : w.menu->addAction(items[i].caption);
            w.actions << a;
            w.enabled << true;
            if (items[i].isSeparator()) continue;
            if (m == Menu::DRAW) {
                a->setCheckable(true);
                // The menu decides the check marks itself: undo Qt's toggle first.
                connect(a, &QAction::triggered, this, [this, a, i](bool checked) {
                    a->setChecked(!checked);
                    Draw_para_Click(i);
                });
            } else {
                connect(a, &QAction::triggered, this, [this, m, i] { dispatchMenu(m, i); });
            }
        }
    }
    const ProgramState& s = state();
    const std::array<bool, 7> marks{s.MapFill,    s.MapShowPoints, s.MapShowLabels, false,
                                    s.MapShowAll, s.MapOnlyRight,  s.MapOnlyReserve};
    for (int i = 0; i < 7; ++i)
        if (i != 3) m_menus[int(Menu::DRAW)].actions[i]->setChecked(marks[i]);
}

void TabMain::buildToolbar()
{
    m_toolbar = addToolBar(QStringLiteral("Toolbar"));
    m_toolbar->setObjectName(QStringLiteral("Toolbar"));
    m_toolbar->setMovable(false);
    m_toolbar->setFloatable(false);
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_toolbar->setIconSize(QSize(16, 16));
    for (const MainCommands::ToolButton& b : MainCommands::toolButtons()) {
        QAction* a = m_toolbar->addAction(style()->standardIcon(iconFor(b.key)), b.caption);
        a->setToolTip(b.tooltip);
        a->setCheckable(true);
        a->setData(b.key);
        const QString key = b.key;
        // A button is pressed only by the windows it opens: undo Qt's toggle first.
        connect(a, &QAction::triggered, this, [this, a, key](bool checked) {
            a->setChecked(!checked);
            Toolbar_ButtonClick(key);
        });
        m_buttons.insert(b.key, a);
        m_buttonEnabled.insert(b.key, true);
        for (int i = 0; i < b.separatorsAfter; ++i) m_toolbar->addSeparator();
    }
    m_mbar = new QProgressBar(m_toolbar);
    m_mbar->setObjectName(QStringLiteral("MBar"));
    m_mbar->setTextVisible(false);
    m_mbar->setRange(0, 100);
    m_mbar->setValue(0);
    // The bar's place depends on where the toolbar has laid out its buttons.
    m_toolbar->installEventFilter(this);
}

void TabMain::buildStatusBar()
{
    const QStringList tips{QStringLiteral("操作对象"), QStringLiteral("文件名称"), QStringLiteral("当前日期")};
    const QList<int> stretch{2, 3, 1};
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(statusBar());
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setToolTip(tips[i]);
        statusBar()->addWidget(label, stretch[i]);
        m_panels[i] = label;
    }
    m_panels[0]->setText(idleText());
}

void TabMain::MDIForm_Load()
{
    const QDate today = Clock::today();
    setPanelText(3, QStringLiteral("%1年%2月%3日").arg(today.year()).arg(today.month()).arg(today.day()));
    setButtonEnabled(Keys::Save, false);
    setButtonEnabled(Keys::Del, false);
    setButtonEnabled(Keys::Print, false);
    setMenuItemEnabled(Menu::DJ, DjMenu::Save, buttonEnabled(Keys::Save));
    setMenuItemEnabled(Menu::DJ, DjMenu::Delete, buttonEnabled(Keys::Del));
    setMenuItemEnabled(Menu::DJ, DjMenu::Print, buttonEnabled(Keys::Print));
    setMenuItemEnabled(Menu::DJ, DjMenu::PrintMany, buttonEnabled(Keys::Print));
    setPanelText(2, MAINBAS::Database_File());
    state().Mcd_hWnd = this;
    ModMCD::MCD_Hook(this);
    refreshCommands();
}

QMdiSubWindow* TabMain::showChild(QWidget* window)
{
    for (QMdiSubWindow* sub : m_mdi->subWindowList()) {
        if (sub->widget() == window) {
            sub->showNormal();
            m_mdi->setActiveSubWindow(sub);
            return sub;
        }
    }
    QMdiSubWindow* sub = m_mdi->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    sub->show();
    m_mdi->setActiveSubWindow(sub);
    return sub;
}

void TabMain::setPanelText(int panel, const QString& text)
{
    if (panel >= 1 && panel <= 3) m_panels[panel - 1]->setText(text);
}

QString TabMain::panelText(int panel) const
{
    return panel >= 1 && panel <= 3 ? m_panels[panel - 1]->text() : QString();
}

void TabMain::setButtonEnabled(const QString& key, bool enabled)
{
    if (!m_buttons.contains(key)) return;
    m_buttonEnabled[key] = enabled;
    refreshCommands();
}

bool TabMain::buttonEnabled(const QString& key) const
{
    return m_buttonEnabled.value(key, false);
}

void TabMain::setButtonPressed(const QString& key, bool pressed)
{
    if (QAction* a = m_buttons.value(key)) a->setChecked(pressed);
}

bool TabMain::buttonPressed(const QString& key) const
{
    const QAction* a = m_buttons.value(key);
    return a && a->isChecked();
}

QAction* TabMain::toolbarButton(const QString& key) const
{
    return m_buttons.value(key);
}

void TabMain::setMenuItemEnabled(Menu menu, int index, bool enabled)
{
    MenuWidgets& w = m_menus[int(menu)];
    if (index < 0 || index >= w.enabled.size()) return;
    w.enabled[index] = enabled;
    refreshCommands();
}

bool TabMain::menuItemEnabled(Menu menu, int index) const
{
    const MenuWidgets& w = m_menus[int(menu)];
    return index >= 0 && index < w.enabled.size() && w.enabled[index];
}

QAction* TabMain::menuItem(Menu menu, int index) const
{
    const MenuWidgets& w = m_menus[int(menu)];
    return index >= 0 && index < w.actions.size() ? w.actions[index] : nullptr;
}

void TabMain::refreshCommands()
{
    for (Menu m : {Menu::DJ, Menu::DATA, Menu::ELSE, Menu::HELP}) {
        MenuWidgets& w = m_menus[int(m)];
        const QList<MainCommands::MenuItem>& items = MainCommands::menuItems(m);
        for (int i = 0; i < items.size(); ++i) {
            if (items[i].isSeparator()) continue;
            w.actions[i]->setEnabled(w.enabled[i] && MainCommands::available(items[i].command, m_targets));
        }
    }
    for (const MainCommands::ToolButton& b : MainCommands::toolButtons())
        m_buttons[b.key]->setEnabled(m_buttonEnabled.value(b.key) && MainCommands::available(b.command, m_targets));
}

void TabMain::dispatchMenu(Menu menu, int index)
{
    switch (menu) {
    case Menu::DJ: MENU_DJ_Click(index); break;
    case Menu::DATA: MENU_DATA_Click(index); break;
    case Menu::ELSE: MENU_ELSE_Click(index); break;
    case Menu::HELP: MENU_HELP_Click(index); break;
    case Menu::EDIT: E_MENU_Click(index); break;
    case Menu::DRAW: Draw_para_Click(index); break;
    }
}

void TabMain::run(const MainCommands::Command& command)
{
    const CommandTargets::EntryHooks entry = m_targets.entry();
    switch (command.action) {
    case Action::None: break;
    case Action::OpenWindow: m_targets.openWindow(command.window, *this); break;
    case Action::Save: saveSequence(); break;
    case Action::Delete:
        if (entry.Delete_Data_All) entry.Delete_Data_All();
        break;
    case Action::DeleteAndNavigate:
        if (!entry.Delete_Data_All) break;
        entry.Delete_Data_All();
        // The navigation is rebuilt whatever the delete did.
        if (entry.cobNavigate_Click) entry.cobNavigate_Click();
        break;
    case Action::Print:
        if (!m_targets.hasWindow(command.window)) break;
        setPanelText(1, QStringLiteral("打印输出登记书..."));
        m_targets.openWindow(command.window, *this);
        break;
    case Action::Exit: close(); break;
    case Action::CheckTool: m_targets.runCheckTool(command.mode, MainCommands::checkSystemName(), *this); break;
    case Action::Help: HelpViewer::open(state().HelpFilePath, this); break;
    }
}

void TabMain::saveSequence()
{
    const CommandTargets::EntryHooks entry = m_targets.entry();
    if (!entry.Check_Before_Save || !entry.Save_Data_All) return;
    if (!entry.Check_Before_Save()) return;
    entry.Save_Data_All();
    ProgramState& s = state();
    // A save that wrote nothing marks itself failed: rebuilding the navigation now
    // would reload the registration over the edits that are still unsaved.
    if (s.Check_Failed) return;
    if (s.Nav_Changed) {
        if (entry.cobNavigate_Click) entry.cobNavigate_Click();
        s.Nav_Changed = false;
    }
}

void TabMain::Toolbar_ButtonClick(const QString& key)
{
    const MainCommands::ToolButton* b = MainCommands::toolButton(key);
    if (!b) return; // "PRO" and unknown keys do nothing
    run(b->command);
    if (key == Keys::Check) setButtonPressed(key, false);
}

void TabMain::MENU_DJ_Click(int index)
{
    const QList<MainCommands::MenuItem>& items = MainCommands::menuItems(Menu::DJ);
    if (index >= 0 && index < items.size()) run(items[index].command);
}

void TabMain::MENU_DATA_Click(int index)
{
    state().Xml_hWnd = this;
    const QList<MainCommands::MenuItem>& items = MainCommands::menuItems(Menu::DATA);
    if (index >= 0 && index < items.size()) run(items[index].command);
}

void TabMain::MENU_ELSE_Click(int index)
{
    const QList<MainCommands::MenuItem>& items = MainCommands::menuItems(Menu::ELSE);
    if (index >= 0 && index < items.size()) run(items[index].command);
}

void TabMain::MENU_HELP_Click(int index)
{
    const QList<MainCommands::MenuItem>& items = MainCommands::menuItems(Menu::HELP);
    if (index >= 0 && index < items.size()) run(items[index].command);
}

void TabMain::E_MENU_Click(int index)
{
    const int command = MainCommands::gridCommandFor(index);
    if (command == 0) return;
    ProgramState& s = state();
    s.Flex_Menu_Cmd = command;
    // The grid runs the pending command when it gets the focus.
    const CommandTargets::EntryHooks entry = m_targets.entry();
    if (s.Active_Form == 1 && entry.Focus_Area_Flex) entry.Focus_Area_Flex();
}

void TabMain::Draw_para_Click(int index)
{
    MenuWidgets& w = m_menus[int(Menu::DRAW)];
    std::array<bool, 7> checked{};
    for (int i = 0; i < 7; ++i) checked[i] = w.actions[i]->isChecked();
    if (!MainCommands::applyDrawChoice(index, checked, state())) return;
    for (int i = 0; i < 7; ++i)
        if (i != 3) w.actions[i]->setChecked(checked[i]);
    const CommandTargets::EntryHooks entry = m_targets.entry();
    if (state().Active_Form == 1 && entry.Draw_Area_Map) entry.Draw_Area_Map();
}

void TabMain::MDIForm_Resize()
{
    if (isMinimized()) return;
    const int clientTwips = int(std::lround(Twips::fromPixelsX(width(), this)));
    m_mbarTwips = MainCommands::mbarWidth(clientTwips);
    QRect r = Twips::toPixels(kMBarLeft, kMBarTop, m_mbarTwips, kMBarHeight, this);
    // Buttons drawn wider than the design's keep the bar to their right.
    const QList<QAction*> actions = m_toolbar->actions();
    if (!actions.isEmpty()) {
        if (const QWidget* last = m_toolbar->widgetForAction(actions.last()))
            r.moveLeft(std::max(r.left(), last->geometry().right() + Twips::toPixelsX(90, this)));
    }
    // ... and never past the toolbar's right edge.
    const int room = m_toolbar->width() - Twips::toPixelsX(90, this) - r.left();
    if (r.width() > room) r.setWidth(std::max(0, room));
    r.moveTop(std::max(0, (m_toolbar->height() - r.height()) / 2));
    m_mbar->setGeometry(r);
}

void TabMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    MDIForm_Resize();
}

bool TabMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_toolbar && (event->type() == QEvent::Resize || event->type() == QEvent::LayoutRequest))
        MDIForm_Resize();
    return QMainWindow::eventFilter(watched, event);
}

void TabMain::closeEvent(QCloseEvent* event)
{
    // The child windows close first, the entry window before the others; a child
    // that refuses (the entry window's save question) keeps the program open.
    QList<QMdiSubWindow*> children = m_mdi->subWindowList();
    std::stable_partition(children.begin(), children.end(), [](QMdiSubWindow* sub) {
        return sub->widget() && sub->widget()->objectName() == QLatin1String("NewTab");
    });
    for (QMdiSubWindow* sub : children) {
        if (sub->isVisible() && !sub->close()) {
            event->ignore();
            return;
        }
    }
    event->accept();
}
