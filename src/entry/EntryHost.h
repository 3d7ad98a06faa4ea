#pragma once

#include <QString>

class QMdiArea;
class QTreeWidget;

// What the entry window needs of the main window: its toolbar buttons and the
// registration menu's items, its status bar, its Save command, its size and its
// child-window area. The program's host is the main window; tests may install
// their own.
class EntryHost
{
public:
    virtual ~EntryHost() = default;

    // Toolbar buttons by key ("NEW", "SAVE", "DEL", "PRINT" ...).
    virtual bool buttonEnabled(const QString& key) const = 0;
    virtual void setButtonEnabled(const QString& key, bool enabled) = 0;
    virtual void setButtonPressed(const QString& key, bool pressed) = 0;
    // Items of the registration menu MENU_DJ by index.
    virtual bool menuItemEnabled(int index) const = 0;
    virtual void setMenuItemEnabled(int index, bool enabled) = 0;
    // Status-bar panels 1 to 3.
    virtual void setPanelText(int panel, const QString& text) = 0;
    // Presses the Save command as its toolbar button does (checks, then save).
    virtual void pressSave() = 0;
    // The toolbar follows the registration list; the menu follows the toolbar.
    virtual void setToolbarState(QTreeWidget* registrationList) = 0;
    virtual void syncMenuToolbar() = 0;

    // Heights, in twips, of the main window and of its status bar and toolbar.
    virtual int windowHeight() const = 0;
    virtual int statusBarHeight() const = 0;
    virtual int toolBarHeight() const = 0;
    // The area that holds the child windows; nullptr when there is none.
    virtual QMdiArea* mdiArea() const = 0;

    // The host installed, else the main window of the running program (whose
    // operations do nothing while there is none).
    static EntryHost* current();
    // Installs `host` (nullptr goes back to the main window); the caller keeps ownership.
    static void install(EntryHost* host);
};
