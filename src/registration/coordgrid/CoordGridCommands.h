#pragma once

#include "registration/coordgrid/CoordGridModel.h"
#include "shell/ShellNames.h"

#include <QString>

class CoordGridHost;

// The editing logic of one coordinate grid: the cell commit with its advance, the
// in-cell editor's keys, and the grid commands (append, insert, delete, copy,
// paste, cut) from the keyboard or the grid popup menu. Works on a CoordGridModel
// and reaches the window only through a CoordGridHost.
//
// Key codes and modifier bits are those of the keyboard convention the grid has
// always used (KeyCode in shell/ShellNames.h).
class CoordGridCommands
{
public:
    enum Key {
        KeyTab = KeyCode::Tab,
        KeyEnter = KeyCode::Enter,
        KeyEsc = KeyCode::Esc,
        KeyUp = KeyCode::Up,
        KeyDown = KeyCode::Down,
        KeyInsert = KeyCode::Insert,
        KeyDelete = KeyCode::Delete,
        KeyA = KeyCode::A,
        KeyC = KeyCode::C,
        KeyN = KeyCode::N,
        KeyV = KeyCode::V,
        KeyY = KeyCode::Y,
    };
    enum Modifier {
        ShiftMask = KeyCode::ShiftMask,
        CtrlMask = KeyCode::CtrlMask,
        AltMask = KeyCode::AltMask
    };
    // Pending commands of the grid popup menu (Flex_Menu_Cmd).
    enum MenuCommand { MenuNone = 0, MenuAppend, MenuInsert, MenuDelete, MenuCut, MenuCopy, MenuPaste };

    CoordGridCommands(CoordGridModel& grid, CoordGridHost& host);

    CoordGridModel& grid() { return m_grid; }
    bool Flex_Edit_Advance() const { return m_advance; }
    void setFlex_Edit_Advance(bool on) { m_advance = on; }

    // The cell commit: stores a visible editor's text into the current cell, hides
    // the editor and, after Tab or Enter, moves on. False when the text was refused
    // (the editor then stays open over its cell).
    bool EDIT_FLEX_GRID();

    // Grid events.
    void Area_Flex_DblClick();
    // A typed character: `keyAscii` above 32, 13 (Enter), or negative for a
    // character beyond ASCII, which `text` then carries.
    void Area_Flex_KeyPress(int keyAscii, const QString& text = QString());
    void Area_Flex_KeyDown(int keyCode, int shift);
    // Runs the pending popup command (Flex_Menu_Cmd of the program state) and
    // clears it, else the cell commit.
    void Area_Flex_GotFocus();
    // False when the commit refused the text.
    bool Area_Flex_LeaveCell();
    void Area_Flex_Scroll();

    // The in-cell editor's keys. Returns true when the key was used.
    bool Cell_Editor_Key(int keyCode, int shift);

    // Editor start: with a code of 0 to 32 the editor takes the cell's text,
    // otherwise the typed character.
    void Start_Cell_Edit(int keyAscii, const QString& text = QString());

    // The commands.
    void appendRow();
    void insertRow();
    // `deleteKey`: started by the Delete key, which needs a whole-row selection.
    void deleteRows(bool deleteKey = false);
    void copyBlock();
    void pasteBlock();

    // Column rule: whether the current cell may be edited.
    bool cellEditable() const;

    static QString orderWarning();

private:
    void refresh();
    void markChanged();
    void moveAfterCommit();
    void offerAxisParallel();
    void checkCoordinateOrder();
    void removeSelectedRows(bool forPaste);
    void finishPaste();
    void refuse(const QString& text, bool exclamation = false);

    CoordGridModel& m_grid;
    CoordGridHost& m_host;
    bool m_advance = false;
};
