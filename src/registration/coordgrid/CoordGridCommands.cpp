#include "registration/coordgrid/CoordGridCommands.h"

#include "coords/CoordText.h"
#include "platform/TextNumber.h"
#include "registration/coordgrid/CoordClipboard.h"
#include "registration/coordgrid/CoordGridHost.h"
#include "shell/ProgramState.h"

#include <cstdlib>

namespace {
const QString kError = QStringLiteral("错误");

double val(const CoordGridModel& g, int row, int col)
{
    return TextNumber::leading(g.TextMatrix(row, col));
}
} // namespace

CoordGridCommands::CoordGridCommands(CoordGridModel& grid, CoordGridHost& host) : m_grid(grid), m_host(host)
{
}

QString CoordGridCommands::orderWarning()
{
    return QStringLiteral("请检查坐标输入顺序是否正确！");
}

void CoordGridCommands::refuse(const QString& text, bool exclamation)
{
    m_host.showMessage(text, kError, exclamation ? Prompt::Icon::Exclamation : Prompt::Icon::Critical);
}

void CoordGridCommands::refresh()
{
    m_host.syncMenuToolbar();
    m_host.repaintPage();
}

void CoordGridCommands::markChanged()
{
    ProgramState& s = state();
    if (s.Active_Form >= 0 && s.Active_Form < int(s.Form_Changed.size()))
        s.Form_Changed[s.Active_Form] = true;
    m_host.markChanged();
}

bool CoordGridCommands::cellEditable() const
{
    const int col = m_grid.Col();
    return (col >= 1 && col <= 3) || m_grid.TextMatrix(m_grid.Row(), 1) == QLatin1String("*");
}

// ---------------------------------------------------------------------------
// Cell commit

bool CoordGridCommands::EDIT_FLEX_GRID()
{
    if (!m_host.editorVisible()) return true;
    const QString s = m_host.editorText().trimmed();
    // The stored coordinate text separates its fields by commas and has no way to
    // carry one inside a value.
    if (!KCUTIL::Is_Coord_Cell_Storable(s)) {
        m_host.showMessage(KCUTIL::Coord_Comma_Message(m_grid.Row()), kError, Prompt::Icon::Exclamation);
        m_advance = false;
        m_host.focusEditor();
        return false;
    }

    const int row = m_grid.Row();
    const int col = m_grid.Col();
    if (row - 1 == m_grid.Flex_Row_Count()) {
        if (s.isEmpty() || s == m_grid.TextMatrix(row, col)) {
            m_host.hideEditor();
            m_advance = false;
            return true;
        }
        if (row == m_grid.Rows() - 1) m_grid.setRows(m_grid.Rows() + 1);
        m_grid.setTextMatrix(row, col, s);
        m_grid.setTextMatrix(row, 0, QString::number(row));
        markChanged();
    } else if (s != m_grid.TextMatrix(row, col)) {
        QString value = s;
        if (col == 1 && s != QLatin1String("*") && TextNumber::isNumeric(s)) {
            bool inRange = false;
            const int n = TextNumber::roundToInt16(TextNumber::leading(s), &inRange);
            if (inRange)
                value = QString::number(n);
            else
                m_host.showMessage(QStringLiteral("EDIT_FLEX_GRID模块出错。代码: 6\n\r溢出"), QString(),
                                   Prompt::Icon::Critical);
        }
        m_grid.setTextMatrix(row, col, value);
        markChanged();
    }
    m_host.hideEditor();
    m_host.modelChanged();

    if (m_advance) {
        moveAfterCommit();
        offerAxisParallel();
        m_host.modelChanged();
        Area_Flex_DblClick();
        m_host.syncMenuToolbar();
        checkCoordinateOrder();
        m_advance = false;
    }
    return true;
}

void CoordGridCommands::moveAfterCommit()
{
    const int row = m_grid.Row();
    const int col = m_grid.Col();
    const int lastCol = m_grid.isRingEnd(row) ? 5 : 3;
    if (col == 1)
        m_grid.setCursor(row, 2);
    else if (col >= lastCol)
        m_grid.setCursor(row + 1, 1);
    else
        m_grid.setCursor(row, col + 1);
}

// When the last edge ran along one axis, the next corner is offered on the other.
void CoordGridCommands::offerAxisParallel()
{
    CoordGridModel& g = m_grid;
    const int r = g.Row();
    if (r != g.Rows() - 1 || r < 3) return;
    if (!g.TextMatrix(r, 2).isEmpty() || !g.TextMatrix(r, 3).isEmpty()) return;

    auto offers = [&](int same, int other) {
        return val(g, r - 1, same) > 0 && g.TextMatrix(r - 1, same) == g.TextMatrix(r - 2, same) &&
               val(g, r - 1, other) > 0 && val(g, r - 2, other) > 0 &&
               g.TextMatrix(r - 1, other) != g.TextMatrix(r - 2, other);
    };
    if (offers(2, 3))
        g.setTextMatrix(r, 3, g.TextMatrix(r - 1, 3));
    else if (offers(3, 2))
        g.setTextMatrix(r, 2, g.TextMatrix(r - 1, 2));
    else
        return;
    g.setRows(g.Rows() + 1);
    g.setTextMatrix(r, 0, QString::number(r));
    markChanged();
}

// Rectangular coordinates put X (northing, the larger) before Y; geographic ones
// the longitude before the latitude. A first corner that looks swapped is only
// pointed out. A corner whose other value has not been typed yet is not judged.
void CoordGridCommands::checkCoordinateOrder()
{
    if (m_grid.TextMatrix(1, 2).trimmed().isEmpty() || m_grid.TextMatrix(1, 3).trimmed().isEmpty()) return;
    const double x1 = val(m_grid, 1, 2);
    const double y1 = val(m_grid, 1, 3);
    bool warn = false;
    if (x1 > 360 && y1 != 360)
        warn = y1 < x1;
    else if (x1 < 360 && y1 < 360)
        warn = y1 > x1;
    if (warn) m_host.showMessage(orderWarning(), QStringLiteral("提示"), Prompt::Icon::Information);
}

// ---------------------------------------------------------------------------
// Editor and grid events

void CoordGridCommands::Start_Cell_Edit(int keyAscii, const QString& text)
{
    QString t;
    if (keyAscii < 0 || keyAscii > 32)
        t = keyAscii < 0 ? text : QString(QChar(keyAscii));
    else
        t = m_grid.TextMatrix(m_grid.Row(), m_grid.Col());
    m_host.showEditor(t);
}

void CoordGridCommands::Area_Flex_DblClick()
{
    m_advance = false;
    if (!cellEditable()) return;
    Start_Cell_Edit(32);
}

void CoordGridCommands::Area_Flex_KeyPress(int keyAscii, const QString& text)
{
    if (!(keyAscii > 32 || keyAscii < 0 || keyAscii == KeyEnter)) return;
    m_advance = false;
    if (!cellEditable()) return;
    Start_Cell_Edit(keyAscii, text);
    m_host.repaintPage();
}

void CoordGridCommands::Area_Flex_KeyDown(int keyCode, int shift)
{
    if (shift == CtrlMask) {
        switch (keyCode) {
        case KeyA:
            appendRow();
            return;
        case KeyN:
            insertRow();
            return;
        case KeyY:
            deleteRows();
            return;
        case KeyC:
        case KeyInsert:
            copyBlock();
            return;
        case KeyV:
            pasteBlock();
            return;
        default:
            refresh();
            return;
        }
    }
    if (keyCode == KeyInsert && shift == ShiftMask)
        pasteBlock();
    else if (keyCode == KeyDelete)
        deleteRows(true);
}

void CoordGridCommands::Area_Flex_GotFocus()
{
    const int cmd = state().Flex_Menu_Cmd;
    if (cmd == MenuNone) {
        EDIT_FLEX_GRID();
        return;
    }
    // Cleared before the command runs: a message box it shows must not find the
    // command still pending when the focus comes back.
    state().Flex_Menu_Cmd = MenuNone;
    switch (cmd) {
    case MenuAppend:
        Area_Flex_KeyDown(KeyA, CtrlMask);
        break;
    case MenuInsert:
        Area_Flex_KeyDown(KeyN, CtrlMask);
        break;
    case MenuDelete:
        Area_Flex_KeyDown(KeyY, CtrlMask);
        break;
    case MenuCut:
        Area_Flex_KeyDown(KeyInsert, CtrlMask);
        Area_Flex_KeyDown(KeyY, CtrlMask);
        break;
    case MenuCopy:
        Area_Flex_KeyDown(KeyInsert, CtrlMask);
        break;
    case MenuPaste:
        Area_Flex_KeyDown(KeyV, CtrlMask);
        break;
    default:
        break;
    }
}

bool CoordGridCommands::Area_Flex_LeaveCell()
{
    const bool stored = EDIT_FLEX_GRID();
    m_host.repaintPage();
    return stored;
}

void CoordGridCommands::Area_Flex_Scroll()
{
    if (!m_host.editorVisible()) return;
    m_host.hideEditor();
    m_host.focusGrid();
}

bool CoordGridCommands::Cell_Editor_Key(int keyCode, int shift)
{
    m_advance = false;
    switch (keyCode) {
    case KeyTab:
    case KeyEnter:
        m_advance = true;
        m_host.focusGrid();
        Area_Flex_GotFocus();
        // The stored text may have finished a ring: the map follows at once.
        m_host.repaintPage();
        return true;
    case KeyEsc:
        m_host.hideEditor();
        m_host.focusGrid();
        Area_Flex_GotFocus();
        return true;
    case KeyUp:
    case KeyDown: {
        m_host.focusGrid();
        Area_Flex_GotFocus();
        if (m_host.editorVisible()) return true; // the commit refused the text
        m_host.repaintPage();
        m_host.processEvents();
        const bool up = keyCode == KeyUp;
        if (shift == CtrlMask) {
            if (up && m_grid.Col() > 1) m_grid.setCol(m_grid.Col() - 1);
            if (!up && m_grid.Col() < m_grid.Cols - 1) m_grid.setCol(m_grid.Col() + 1);
            m_host.modelChanged();
            Area_Flex_DblClick();
        } else {
            if (up && m_grid.Row() > 1) m_grid.setRow(m_grid.Row() - 1);
            if (!up && m_grid.Row() < m_grid.Rows() - 1) m_grid.setRow(m_grid.Row() + 1);
            m_host.modelChanged();
        }
        return true;
    }
    default:
        return false;
    }
}

// ---------------------------------------------------------------------------
// Commands

void CoordGridCommands::appendRow()
{
    m_grid.setCursor(m_grid.Flex_Row_Count() + 1, 1);
    m_host.modelChanged();
    Start_Cell_Edit(32);
    refresh();
}

void CoordGridCommands::insertRow()
{
    if (m_host.editorVisible()) {
        refuse(QStringLiteral("编辑状态不能执行插入操作..."));
        m_host.focusEditor();
        return;
    }
    const int row = m_grid.Row();
    if (!(row == m_grid.RowSel() && row <= m_grid.Flex_Row_Count())) {
        refuse(row > m_grid.Flex_Row_Count() ? QStringLiteral("该位置不能插入记录...")
                                             : QStringLiteral("不能选定多行执行插入操作..."));
        m_host.focusGrid();
        return;
    }
    m_host.setBusy(true);
    m_grid.insertEmptyRow(row);
    m_grid.renumber();
    m_host.modelChanged();
    m_host.setBusy(false);
    markChanged();
    refresh();
}

void CoordGridCommands::removeSelectedRows(bool forPaste)
{
    const int trailing = m_grid.Rows() - 1;
    const int r1 = m_grid.r1();
    int r2 = m_grid.r2();
    if (r2 == trailing) --r2;
    const int n = r2 - r1 + 1;
    if (n <= 0) return;

    m_host.setBusy(true);
    int newRow = r1;
    if (r2 != m_grid.Rows() - 2) {
        for (int r = r2 + 1; r <= m_grid.Rows() - 2; ++r)
            for (int c = 1; c < m_grid.Cols; ++c)
                m_grid.setTextMatrix(r1 + (r - r2 - 1), c, m_grid.TextMatrix(r, c));
    } else if (!forPaste) {
        // The block ended at the last data row: the cursor goes to the row before it.
        // A paste keeps it on the first selected row, so that the pasted rows take
        // the place of the deleted ones.
        newRow = r1 - 1 == 0 ? 1 : r1 - 1;
    }
    m_grid.setRows(m_grid.Rows() - n);
    m_grid.clearRow(m_grid.Rows() - 1);
    m_grid.setCursor(newRow, 1);
    m_host.modelChanged();
    m_host.focusGrid();
    m_host.setBusy(false);
}

void CoordGridCommands::deleteRows(bool deleteKey)
{
    if (m_host.editorVisible()) {
        refuse(QStringLiteral("编辑状态不能执行删除操作..."));
        m_host.focusEditor();
        return;
    }
    const int trailing = m_grid.Rows() - 1;
    if (m_grid.Row() == trailing && m_grid.RowSel() == trailing) {
        refuse(QStringLiteral("删除记录中不能是无效记录行..."));
        m_host.focusGrid();
        return;
    }
    if (deleteKey && std::abs(m_grid.Col() - m_grid.ColSel()) != m_grid.Cols - 2) return;

    const int r1 = m_grid.r1();
    int r2 = m_grid.r2();
    if (r2 == trailing) --r2;
    const int n = r2 - r1 + 1;
    const QString question =
        r1 == r2 ? QStringLiteral("确认删除当前记录行的数据！")
                 : QStringLiteral("确认删除从当前记录行以") +
                       (m_grid.Row() > m_grid.RowSel() ? QStringLiteral("上") : QStringLiteral("下")) +
                       QString::number(n) + QStringLiteral("行数据！");
    if (!m_host.askYesNo(question, QStringLiteral("警告"), Prompt::Icon::Question)) {
        m_host.focusGrid();
        return;
    }
    removeSelectedRows(false);
    markChanged();
    refresh();
}

void CoordGridCommands::copyBlock()
{
    if (m_host.editorVisible()) {
        refuse(QStringLiteral("编辑状态不能执行拷贝操作..."));
        m_host.focusEditor();
        return;
    }
    const int trailing = m_grid.Rows() - 1;
    if (m_grid.Row() == trailing && m_grid.RowSel() == trailing) {
        refuse(QStringLiteral("块操作中不能是无效记录行..."));
        return;
    }
    int r2 = m_grid.r2();
    if (r2 == trailing) --r2;
    m_host.setClipboardText(
        CoordClipboard::Coord_Block_Text(m_grid, m_grid.c1(), m_grid.c2(), m_grid.r1(), r2));
    m_host.focusGrid();
    refresh();
}

void CoordGridCommands::pasteBlock()
{
    using Kind = CoordClipboard::Block::Kind;
    if (m_host.editorVisible()) {
        refuse(QStringLiteral("编辑状态不能执行粘贴操作..."));
        m_host.focusEditor();
        return;
    }
    CoordClipboard::Block block = CoordClipboard::parseBlock(m_host.clipboardText(), m_grid.Cols);
    const QString badData = QStringLiteral("剪切板中数据不符合要求...");
    switch (block.kind) {
    case Kind::Empty:
        refuse(QStringLiteral("没有定义可拷贝的块数据..."));
        return;
    case Kind::Ignored:
        return;
    case Kind::BadHeader:
        refuse(badData, true);
        return;
    default:
        break;
    }

    m_host.setRepaintSuspended(true);
    QString line;
    if (block.kind == Kind::Columns) {
        if (double(m_grid.Col()) != block.startCol) {
            refuse(QStringLiteral("光标所在位置与定义的块起始列不符..."));
            m_host.setRepaintSuspended(false);
            return;
        }
        if (m_grid.Row() == m_grid.Rows() - 1) {
            refuse(badData, true);
            m_host.setRepaintSuspended(false);
            return;
        }
        m_host.setBusy(true);
        for (int r = m_grid.Row(); r <= m_grid.Rows() - 2 && CoordClipboard::takeLine(block.body, line); ++r)
            CoordClipboard::fillRow(m_grid, r, m_grid.Col(), line);
        m_host.setBusy(false);
        m_host.focusGrid();
    } else {
        if (m_grid.Row() != m_grid.RowSel() || m_grid.Col() != m_grid.ColSel()) removeSelectedRows(true);
        const int startRow = m_grid.Row();
        const int col = m_grid.Col();
        m_host.setBusy(true);
        while (CoordClipboard::takeLine(block.body, line)) {
            if (!line.contains(QLatin1Char(','))) break;
            const int row = m_grid.Row();
            m_grid.insertEmptyRow(row);
            CoordClipboard::fillRow(m_grid, row, 1, line);
            m_grid.setCursor(row + 1, col);
        }
        m_grid.setCursor(startRow, col);
        m_host.setBusy(false);
    }
    finishPaste();
}

void CoordGridCommands::finishPaste()
{
    m_grid.renumber();
    m_host.modelChanged();
    m_host.setRepaintSuspended(false);
    markChanged();
    refresh();
}
