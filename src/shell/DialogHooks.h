#pragma once

#include <QString>

#include <functional>

// What the shell's dialogs need of windows that live elsewhere: the main window's
// toolbar and status bar, and the entry window's navigation. The program wires
// them at start-up; an unset hook does nothing, so a dialog also works alone.
struct DialogHooks
{
    // Sets the toolbar button of `key` ("PARA", "CODE", "SYS" ...) pressed or released.
    std::function<void(const QString& key, bool pressed)> pressButton;
    // Writes `text` into status-bar panel `panel` (1 to 3).
    std::function<void(int panel, const QString& text)> setPanelText;
    // The entry window reloads its whole registration list (NewTab.Get_Data_All).
    std::function<void()> reloadEntryList;
    // The entry window rebuilds its navigation and shows Cur_DJH, opening the entry
    // window first when it is not open (NewTab.cobNavigate_Click).
    std::function<void()> showCurrentRegistration;
    // The navigation tree follows a changed ViewFlag (NAVIGATE.Relabel_Tree_Nodes).
    std::function<void()> relabelTree;

    void press(const QString& key, bool pressed) const
    {
        if (pressButton) pressButton(key, pressed);
    }
    void panel(int index, const QString& text) const
    {
        if (setPanelText) setPanelText(index, text);
    }
};

// The hooks of the running program (tests set and reset them).
DialogHooks& dialogHooks();
