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

// A dialog's mark on the main window while it is open: its toolbar button pressed
// and its activity in status panel 1; closing releases the button and writes
// "待命..." once, however often the dialog's unload runs.
class DialogMark
{
public:
    void open(const QString& key, const QString& activity)
    {
        m_key = key;
        m_open = true;
        dialogHooks().press(key, true);
        dialogHooks().panel(1, activity);
    }
    void close()
    {
        if (!m_open) return;
        m_open = false;
        dialogHooks().press(m_key, false);
        dialogHooks().panel(1, QStringLiteral("待命..."));
    }

private:
    QString m_key;
    bool m_open = false;
};
