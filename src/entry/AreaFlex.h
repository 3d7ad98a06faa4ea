#pragma once

#include "registration/coordgrid/CoordGridCommands.h"
#include "registration/coordgrid/CoordGridHost.h"
#include "registration/coordgrid/CoordGridModel.h"

#include <QPointer>
#include <QTableWidget>

class QAbstractButton;
class QLabel;
class QLineEdit;

// One coordinate grid of the entry window's coordinate page (Area_Flex(Index)),
// with its in-cell editor txtEdit(Index). The widget shows a CoordGridModel and
// hands every event to CoordGridCommands: the heading row and the numbering
// column are the table's headers, so view row r is grid row r + 1 and view column
// c is grid column c + 1.
//
// The grid takes the keys itself: Ctrl+A, Ctrl+N, Ctrl+Y, Ctrl+C, Ctrl+V,
// Ctrl+Insert, Shift+Insert and Delete are grid commands, not the view's own
// shortcuts; a typed character, including text committed by an input method,
// opens the editor with it. The input method stays on for the grid whatever cell is
// current: its first composition opens the editor, which shows the composition
// while the grid keeps the focus (moving the focus would end the composition).
class AreaFlex : public QTableWidget, private CoordGridHost
{
    Q_OBJECT
public:
    explicit AreaFlex(int index, QWidget* parent = nullptr);
    ~AreaFlex() override;

    int index() const { return m_index; }
    // Makes the font as small as needed for an 8-digit plane coordinate with two
    // decimals to show whole in the coordinate columns (the widths stay the layout's).
    void fitFont();
    // The cells as the grid logic, the sketch map and printing read them. Code
    // that writes through grid() calls syncView() afterwards; coordGrid() shows
    // every written cell at once (the coordinate-text writer sets empty 性质 cells).
    CoordGridModel& grid() { return m_grid; }
    const CoordGridModel& grid() const { return m_grid; }
    CoordGrid& coordGrid() { return m_live; }
    CoordGridCommands& commands() { return m_commands; }
    QLineEdit* txtEdit() const { return m_editor; }

    // The check box Check1(Index): ticked means geographic coordinates. Clicking it
    // relabels the grid; loading a grid sets it.
    void attachCheck1(QAbstractButton* check1);
    bool geographic() const;

    // Lays the grid out and fills it from `lines`, the line form of a stored
    // coordinate text (empty: headings and one blank row).
    void Init_Flex(const QString& lines);
    // Relabels columns 2 and 3 as the check box stands.
    void Check1_Click();
    // The cell commit.
    void EDIT_FLEX_GRID();
    // What the grid's got-focus event runs: the pending popup command
    // (Flex_Menu_Cmd), else the cell commit.
    void Area_Flex_GotFocus();
    // The popup menu's route: focus to the grid, then the pending command, also
    // when the grid had the focus already.
    void focusFromMenu();

    // Shows the model again (after code changed it).
    void syncView();

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

Q_SIGNALS:
    // The coordinate page should repaint (its sketch map is drawn from the grids).
    void pageRepaintRequested();
    // The registration has unsaved edits.
    void edited();
    // The right mouse button asked for the grid popup menu at `globalPos`.
    void popupMenuRequested(int index, const QPoint& globalPos);

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void focusInEvent(QFocusEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // CoordGridHost
    bool editorVisible() const override;
    QString editorText() const override;
    void showEditor(const QString& text) override;
    void hideEditor() override;
    void focusEditor() override;
    void focusGrid() override;
    void processEvents() override;
    void modelChanged() override;
    void setBusy(bool busy) override;
    void setRepaintSuspended(bool suspended) override;
    void markChanged() override;
    void syncMenuToolbar() override;
    void repaintPage() override;
    void setClipboardText(const QString& text) override;
    QString clipboardText() const override;
    void showMessage(const QString& text, const QString& title, Prompt::Icon icon) override;
    bool askYesNo(const QString& text, const QString& title, Prompt::Icon icon) override;

    void syncCells();
    void syncSelection();
    void SET_EDIT_CONTROL();
    void onViewSelectionChanged();
    void layOut();
    static int vbKeyCode(int qtKey);
    static int vbShift(Qt::KeyboardModifiers modifiers);
    static bool isGridCommandKey(int code, int shift);

    // Writes through to the model and shows the change.
    class LiveGrid : public CoordGrid
    {
    public:
        explicit LiveGrid(AreaFlex& owner) : m_owner(owner) {}
        int rowCount() const override { return m_owner.m_grid.Rows(); }
        QString cellText(int row, int column) const override
        {
            return m_owner.m_grid.TextMatrix(row, column);
        }
        void setCellText(int row, int column, const QString& text) override;
        QString keptText() const override { return m_owner.m_grid.keptText(); }

    private:
        AreaFlex& m_owner;
    };

    int m_index = 0;
    CoordGridModel m_grid;
    LiveGrid m_live{*this};
    CoordGridCommands m_commands;
    QLineEdit* m_editor = nullptr;
    QLabel* m_corner = nullptr;
    QPointer<QAbstractButton> m_check1;
    bool m_geographic = false;
    bool m_syncing = false;    // the view is being set from the model
    bool m_deferSync = false;  // a commit runs inside a view change
    bool m_focusGuard = false; // the focus moves by our own hand
    bool m_placing = false;    // the editor is being placed (scrolling to its cell)
    bool m_composing = false;  // an input method composes into the editor; the grid keeps the focus
    int m_busy = 0;
};
