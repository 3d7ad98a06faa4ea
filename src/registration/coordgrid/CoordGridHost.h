#pragma once

#include "platform/Prompt.h"

#include <QString>

// What the coordinate-grid logic asks of the window that shows a grid: the in-cell
// editor, the focus, the clipboard, the refreshes of the entry window and the
// messages and questions of the commands (the logic shows no box itself). The grid
// widget implements it; tests use a recording fake.
class CoordGridHost
{
public:
    virtual ~CoordGridHost() = default;

    // In-cell editor.
    virtual bool editorVisible() const = 0;
    virtual QString editorText() const = 0;
    // Places the editor over the current cell, gives it `text` with the caret at
    // its end, shows it and focuses it.
    virtual void showEditor(const QString& text) = 0;
    virtual void hideEditor() = 0;
    virtual void focusEditor() = 0;

    // Gives the grid the focus. The logic itself runs what the grid's got-focus
    // event would run, so the host only moves the focus.
    virtual void focusGrid() = 0;
    // Lets pending window events run.
    virtual void processEvents() = 0;

    // The model changed: show it.
    virtual void modelChanged() = 0;
    virtual void setBusy(bool busy) = 0;
    virtual void setRepaintSuspended(bool suspended) = 0;

    // The registration now has unsaved edits.
    virtual void markChanged() = 0;
    // Menu items follow the toolbar.
    virtual void syncMenuToolbar() = 0;
    // Repaints the coordinate page (its sketch map is drawn from the grids).
    virtual void repaintPage() = 0;

    virtual void setClipboardText(const QString& text) = 0;
    virtual QString clipboardText() const = 0;

    // Shows a message of the commands with its exact text, title and icon.
    virtual void showMessage(const QString& text, const QString& title, Prompt::Icon icon) = 0;
    // Asks a Yes/No question; true for Yes.
    virtual bool askYesNo(const QString& text, const QString& title, Prompt::Icon icon) = 0;
};
