#pragma once

#include "entry/EntryHost.h"

#include <QHash>
#include <QMdiArea>
#include <QStringList>

#include <functional>

// A main window as the entry window sees it, with buttons, menu items and panels
// that tests set and read. Save runs `onSave`.
class FakeEntryHost : public EntryHost
{
public:
    QHash<QString, bool> enabled;
    QHash<QString, bool> pressed;
    QHash<int, bool> menu;
    QHash<int, QString> panels;
    std::function<void()> onSave;
    int saves = 0;
    int toolbarStates = 0;
    int syncs = 0;
    int height = 10800;
    int statusBar = 300;
    int toolBar = 600;
    QMdiArea* area = nullptr;

    bool buttonEnabled(const QString& key) const override { return enabled.value(key); }
    void setButtonEnabled(const QString& key, bool on) override { enabled[key] = on; }
    void setButtonPressed(const QString& key, bool on) override { pressed[key] = on; }
    bool menuItemEnabled(int index) const override { return menu.value(index, true); }
    void setMenuItemEnabled(int index, bool on) override { menu[index] = on; }
    void setPanelText(int panel, const QString& text) override { panels[panel] = text; }
    void pressSave() override
    {
        ++saves;
        if (onSave) onSave();
    }
    void setToolbarState(QTreeWidget*) override { ++toolbarStates; }
    void syncMenuToolbar() override { ++syncs; }
    int windowHeight() const override { return height; }
    int statusBarHeight() const override { return statusBar; }
    int toolBarHeight() const override { return toolBar; }
    QMdiArea* mdiArea() const override { return area; }
};
