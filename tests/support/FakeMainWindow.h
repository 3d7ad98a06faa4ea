#pragma once

#include "shell/MainWindowServices.h"
#include "shell/ShellNames.h"

#include <QHash>
#include <QMap>
#include <QStringList>

#include <functional>

class QMdiArea;
class QTreeView;

// A main window that records what the windows under test ask of it and answers
// with what the test set; mainWindow() from install() (after the fixture's set-up
// reset the seams) until it dies. Toolbar keys are recorded in `buttons` as
// "KEY:down" / "KEY:up" and their last state in `pressed`; the Save command runs
// `onSave`.
struct FakeMainWindow : MainWindowServices
{
    FakeMainWindow() = default;
    void install() { installMainWindowServices(this); }
    ~FakeMainWindow() override
    {
        if (&mainWindow() == this) installMainWindowServices(nullptr);
    }
    FakeMainWindow(const FakeMainWindow&) = delete;
    FakeMainWindow& operator=(const FakeMainWindow&) = delete;

    bool present() const override { return true; }
    void pressButton(const QString& key, bool on) override
    {
        buttons << key + (on ? QStringLiteral(":down") : QStringLiteral(":up"));
        pressed[key] = on;
    }
    bool buttonEnabled(const QString& key) const override { return enabled.value(key); }
    void setButtonEnabled(const QString& key, bool on) override { enabled[key] = on; }
    void clickButton(const QString& key) override
    {
        if (key != Keys::Save) return;
        ++saves;
        if (onSave) onSave();
    }
    // Items of the registration menu by index.
    bool menuItemEnabled(MainCommands::Menu, int index) const override { return menu.value(index, true); }
    void setMenuItemEnabled(MainCommands::Menu, int index, bool on) override { menu[index] = on; }
    void setPanelText(int panel, const QString& text) override { panels[panel] = text; }
    QString panelText(int panel) const override { return panels.value(panel); }
    void reloadEntryList() override { ++reloads; }
    void relabelTree() override { ++relabels; }
    void showCurrentRegistration() override
    {
        if (onShowCurrentRegistration) onShowCurrentRegistration();
    }
    void setToolbarState(QTreeView*) override { ++toolbarStates; }
    void syncMenuToolbar() override { ++syncs; }
    int windowHeightTwips() const override { return height; }
    int statusBarHeightTwips() const override { return statusBar; }
    int toolBarHeightTwips() const override { return toolBar; }
    QMdiArea* mdiArea() const override { return area; }

    QStringList buttons;
    QHash<QString, bool> pressed;
    QHash<QString, bool> enabled;
    QHash<int, bool> menu;
    QMap<int, QString> panels;
    int reloads = 0;
    int relabels = 0;
    int saves = 0;
    int toolbarStates = 0;
    int syncs = 0;
    int height = 10800;
    int statusBar = 300;
    int toolBar = 600;
    QMdiArea* area = nullptr;
    std::function<void()> onSave;
    std::function<void()> onShowCurrentRegistration;
};
