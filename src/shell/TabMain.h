#pragma once

#include "MainCommands.h"
#include "MainWindowServices.h"

#include <QHash>
#include <QList>
#include <QMainWindow>

#include <array>

class CommandTargets;
class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QProgressBar;
class QToolBar;

// The main window: the frame of the entry window and the batch-print window, with
// the menus, the toolbar and the status bar from which everything else is opened.
// Menus are dispatched by item index, the toolbar by button key; the windows of
// the other subsystems are reached through the CommandTargets registry.
//
// Other windows reach it only through MainWindowServices (mainWindow()), which it
// installs while it lives: the status bar, the toolbar buttons and menu items, and
// the entry window's navigation.
class TabMain : public QMainWindow, public MainWindowServices
{
    Q_OBJECT
public:
    using Menu = MainCommands::Menu;

    explicit TabMain(CommandTargets& targets, QWidget* parent = nullptr);
    ~TabMain() override;

    // The main window of the running program (state().MainWindow), or nullptr; for
    // src/shell and src/app only, the rest of the program uses mainWindow().
    static TabMain* instance();

    QMdiArea* mdiArea() const override { return m_mdi; }
    CommandTargets& targets() const { return m_targets; }
    // Shows `window` as a child window (once; later calls activate it).
    QMdiSubWindow* showChild(QWidget* window);

    // Status bar: panel 1 the activity, 2 the working database file, 3 the date.
    static QString idleText(); // StatusText::Idle

    // Toolbar buttons by key. Enabled is the button's own state (for "SAVE" the
    // mark of unsaved edits); the button can only be pressed while its target is
    // registered as well. Pressed is the button's down state that dialogs set
    // while they are open.
    bool buttonEnabled(const QString& key) const override;
    void setButtonPressed(const QString& key, bool pressed);
    bool buttonPressed(const QString& key) const;
    QAction* toolbarButton(const QString& key) const;

    // Menu items by menu and index, with the same two layers as the buttons.
    void setMenuItemEnabled(Menu menu, int index, bool enabled) override;
    bool menuItemEnabled(Menu menu, int index) const override;
    QAction* menuItem(Menu menu, int index) const override;
    QMenu* popupMenu(Menu menu) const override { return m_menus[int(menu)].menu; }

    // The popup menus the entry window shows: the coordinate-grid menu and the
    // sketch-map menu (whose check marks it sets before showing it).
    QMenu* EDIT_MENU() const { return m_menus[int(Menu::EDIT)].menu; }
    QMenu* draw() const { return m_menus[int(Menu::DRAW)].menu; }
    QAction* E_MENU(int index) const { return menuItem(Menu::EDIT, index); }
    QAction* Draw_para(int index) const { return menuItem(Menu::DRAW, index); }

    // Dispatch.
    void Toolbar_ButtonClick(const QString& key);
    void MENU_DJ_Click(int index);
    void MENU_DATA_Click(int index);
    void MENU_ELSE_Click(int index);
    void MENU_HELP_Click(int index);
    void E_MENU_Click(int index);
    void Draw_para_Click(int index);

    // The progress bar on the toolbar; its width follows the window.
    QProgressBar* MBar() const { return m_mbar; }

    // MainWindowServices, installed while this window lives.
    void pressButton(const QString& key, bool pressed) override { setButtonPressed(key, pressed); }
    void setButtonEnabled(const QString& key, bool enabled) override;
    void setPanelText(int panel, const QString& text) override;
    QString panelText(int panel) const override;
    QProgressBar* progressBar() override { return m_mbar; }
    QWidget* dialogParent() override { return this; }
    bool present() const override { return true; }
    void clickButton(const QString& key) override { Toolbar_ButtonClick(key); }
    bool openWindow(const QString& name) override;
    bool entryWindowOpen() const override;
    void reloadEntryList() override;
    void refreshNavigation() override;
    void showCurrentRegistration() override;
    void relabelTree() override;
    void redrawMap() override;
    void setToolbarState(QTreeView* registrationList) override;
    void syncMenuToolbar() override;
    int windowHeightTwips() const override;
    int statusBarHeightTwips() const override;
    int toolBarHeightTwips() const override;
    int mbarWidthTwips() const { return m_mbarTwips; }
    void MDIForm_Resize();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct MenuWidgets
    {
        QMenu* menu = nullptr;
        QList<QAction*> actions;
        QList<bool> enabled;
    };

    void buildMenus();
    void buildToolbar();
    void buildStatusBar();
    void MDIForm_Load();
    void refreshCommands();
    void dispatchMenu(Menu menu, int index);
    void run(const MainCommands::Command& command);
    void saveSequence();

    CommandTargets& m_targets;
    QMdiArea* m_mdi = nullptr;
    QToolBar* m_toolbar = nullptr;
    QProgressBar* m_mbar = nullptr;
    int m_mbarTwips = 1755;
    std::array<MenuWidgets, 6> m_menus;
    QHash<QString, QAction*> m_buttons;
    QHash<QString, bool> m_buttonEnabled;
    std::array<QLabel*, 3> m_panels{};
};
