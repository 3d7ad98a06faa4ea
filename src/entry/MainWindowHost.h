#pragma once

#include "EntryHost.h"

// The entry window's host in the running program: the main window TabMain.
class MainWindowHost : public EntryHost
{
public:
    bool buttonEnabled(const QString& key) const override;
    void setButtonEnabled(const QString& key, bool enabled) override;
    void setButtonPressed(const QString& key, bool pressed) override;
    bool menuItemEnabled(int index) const override;
    void setMenuItemEnabled(int index, bool enabled) override;
    void setPanelText(int panel, const QString& text) override;
    void pressSave() override;
    void setToolbarState(QTreeWidget* registrationList) override;
    void syncMenuToolbar() override;
    int windowHeight() const override;
    int statusBarHeight() const override;
    int toolBarHeight() const override;
    QMdiArea* mdiArea() const override;
};
