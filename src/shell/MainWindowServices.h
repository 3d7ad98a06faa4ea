#pragma once

#include "MainCommands.h"

#include <QString>

class QAction;
class QMdiArea;
class QMenu;
class QProgressBar;
class QTreeView;
class QWidget;

// The one way from a subsystem to the main window and the entry window it frames:
// toolbar keys, status panels, the progress bar, opening a registered window, and
// the entry window's navigation. The running program installs the main window's
// implementation at start-up; without one, every call does nothing (a dialog also
// works alone, as in tests).
class MainWindowServices
{
public:
    virtual ~MainWindowServices() = default;

    // Toolbar button of `key` (Keys::...) pressed or released; enabled or disabled.
    virtual void pressButton(const QString& key, bool pressed) { }
    virtual void setButtonEnabled(const QString& key, bool enabled) { }
    virtual bool buttonEnabled(const QString& key) const { return false; }
    // Runs the toolbar command of `key` as a click on its button does.
    virtual void clickButton(const QString& key) {}
    // Menu items by menu and index; the two popup menus themselves.
    virtual void setMenuItemEnabled(MainCommands::Menu menu, int index, bool enabled) {}
    virtual bool menuItemEnabled(MainCommands::Menu menu, int index) const { return false; }
    virtual QAction* menuItem(MainCommands::Menu menu, int index) const { return nullptr; }
    virtual QMenu* popupMenu(MainCommands::Menu menu) const { return nullptr; }
    // Status-bar panel 1 (activity), 2 (database file) or 3 (date).
    virtual void setPanelText(int panel, const QString& text) { }
    virtual QString panelText(int panel) const { return QString(); }
    // The main window's progress bar (MBar), or nullptr.
    virtual QProgressBar* progressBar() { return nullptr; }
    // The parent for dialogs (the main window itself), or nullptr.
    virtual QWidget* dialogParent() { return nullptr; }
    // True while a main window is installed.
    virtual bool present() const { return false; }
    // Opens the window registered under `name` (WindowNames::...); false when none is.
    virtual bool openWindow(const QString& name) { return false; }

    // The entry window (all do nothing while it is closed, except where said).
    virtual bool entryWindowOpen() const { return false; }
    // Reloads the whole registration list (NewTab.Get_Data_All).
    virtual void reloadEntryList() { }
    // Rebuilds the navigation trees (NewTab.cobNavigate_Click).
    virtual void refreshNavigation() { }
    // Opens the entry window when closed, rebuilds its navigation and shows Cur_DJH.
    virtual void showCurrentRegistration() { }
    // Relabels the navigation nodes after ViewFlag changed.
    virtual void relabelTree() { }
    // Save, Delete and Print follow the entry window's registration list; the menu
    // items follow the toolbar (KCUTIL::Set_Toolbar_State, KCUTIL::Sync_Menu_Toolbar).
    virtual void setToolbarState(QTreeView* registrationList) {}
    virtual void syncMenuToolbar() {}

    // The frame the entry window is placed in: heights in twips of the main window,
    // its status bar and its toolbar (0 without a main window), and the area that
    // holds the child windows.
    virtual int windowHeightTwips() const { return 0; }
    virtual int statusBarHeightTwips() const { return 0; }
    virtual int toolBarHeightTwips() const { return 0; }
    virtual QMdiArea* mdiArea() const { return nullptr; }
    // Redraws the sketch map of the coordinate page.
    virtual void redrawMap() { }
};

// The services of the running program, or a stand-in that does nothing.
MainWindowServices& mainWindow();
// Installs `services` (nullptr: back to the stand-in). The caller keeps ownership.
void installMainWindowServices(MainWindowServices* services);
