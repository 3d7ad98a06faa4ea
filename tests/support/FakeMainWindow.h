#pragma once

#include "shell/MainWindowServices.h"

#include <QMap>
#include <QStringList>

#include <functional>

// A main window that records what the windows under test ask of it; mainWindow()
// from install() (after the fixture's set-up reset the seams) until it dies.
// Toolbar keys are recorded as "KEY:down" / "KEY:up".
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

    void pressButton(const QString& key, bool pressed) override
    {
        buttons << key + (pressed ? QStringLiteral(":down") : QStringLiteral(":up"));
    }
    void setPanelText(int panel, const QString& text) override { panels[panel] = text; }
    QString panelText(int panel) const override { return panels.value(panel); }
    void reloadEntryList() override { ++reloads; }
    void relabelTree() override { ++relabels; }
    void showCurrentRegistration() override
    {
        if (onShowCurrentRegistration) onShowCurrentRegistration();
    }

    QStringList buttons;
    QMap<int, QString> panels;
    int reloads = 0;
    int relabels = 0;
    std::function<void()> onShowCurrentRegistration;
};
