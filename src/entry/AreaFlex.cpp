#include "AreaFlex.h"

#include "FitFont.h"

#include "platform/Prompt.h"
#include "platform/Twips.h"
#include "registration/coordgrid/CoordGridLoader.h"
#include "shell/KCUTIL_Toolbar.h"
#include "shell/MainWindowServices.h"
#include "shell/ProgramState.h"
#include "shell/ShellNames.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPalette>
#include <QScrollBar>

namespace {
// Widths of columns 0 to 5 in twips.
constexpr int kWidths[CoordGridModel::Cols] = {400, 500, 1100, 1100, 1000, 400};
constexpr int kRowHeight = 340;
constexpr int kHeadingHeight = 300;

const QString kToolTip = QStringLiteral("*号结束；矿体标识：矿体文字标注；性质：1表示主区，-1表示挖空区");

class FlagGuard
{
public:
    explicit FlagGuard(bool& flag) : m_flag(flag), m_old(flag) { m_flag = true; }
    ~FlagGuard() { m_flag = m_old; }

private:
    bool& m_flag;
    bool m_old;
};
} // namespace

AreaFlex::AreaFlex(int index, QWidget* parent)
    : QTableWidget(parent), m_index(index), m_commands(m_grid, *this)
{
    setObjectName(QStringLiteral("Area_Flex"));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(false);
    setCornerButtonEnabled(false);
    setWordWrap(false);
    setAttribute(Qt::WA_InputMethodEnabled, true);
    setToolTip(kToolTip);

    m_editor = new QLineEdit(viewport());
    m_editor->setObjectName(QStringLiteral("txtEdit"));
    m_editor->setFrame(false);
    m_editor->hide();
    m_editor->installEventFilter(this);

    connect(this, &QTableWidget::currentCellChanged, this, [this] { onViewSelectionChanged(); });
    connect(this, &QTableWidget::itemSelectionChanged, this, [this] { onViewSelectionChanged(); });

    // The heading of the numbering column stands in the view's corner.
    if (auto* corner = findChild<QAbstractButton*>()) {
        m_corner = new QLabel(corner);
        m_corner->setObjectName(QStringLiteral("cornerHeading"));
        m_corner->setAlignment(Qt::AlignCenter);
        // The corner does not react to clicks, yet its heading reads like the others.
        QPalette palette = m_corner->palette();
        palette.setColor(QPalette::Disabled, QPalette::WindowText,
                         palette.color(QPalette::Active, QPalette::WindowText));
        m_corner->setPalette(palette);
        corner->installEventFilter(this);
    }

    layOut();
    CoordGridLoader::Init_Flex(m_grid, m_geographic, QString());
    syncView();
}

void AreaFlex::fitFont()
{
    // The cell's own margins: the focus frame's on both sides.
    const int margin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
    const int width = Twips::toPixelsX(std::min(kWidths[2], kWidths[3])) - margin;
    setFont(Fit_Font_To_Width(font(), QStringLiteral("35571509.12"), width));
}

AreaFlex::~AreaFlex()
{
    while (m_busy > 0)
        setBusy(false);
}

void AreaFlex::layOut()
{
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    horizontalHeader()->setFixedHeight(Twips::toPixelsY(kHeadingHeight));
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    verticalHeader()->setDefaultSectionSize(Twips::toPixelsY(kRowHeight));
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setFixedWidth(Twips::toPixelsX(kWidths[0]));
}

// ---------------------------------------------------------------------------
// Loading and the check box

void AreaFlex::attachCheck1(QAbstractButton* check1)
{
    if (m_check1) disconnect(m_check1, nullptr, this, nullptr);
    m_check1 = check1;
    if (!check1) return;
    check1->setChecked(m_geographic);
    connect(check1, &QAbstractButton::clicked, this, [this] { Check1_Click(); });
}

bool AreaFlex::geographic() const
{
    return m_check1 ? m_check1->isChecked() : m_geographic;
}

void AreaFlex::Init_Flex(const QString& lines)
{
    hideEditor();
    m_geographic = geographic();
    CoordGridLoader::Init_Flex(m_grid, m_geographic, lines);
    if (m_check1) m_check1->setChecked(m_geographic);
    syncView();
}

void AreaFlex::Check1_Click()
{
    m_geographic = geographic();
    CoordGridLoader::setHeadings(m_grid, m_geographic);
    syncView();
}

void AreaFlex::EDIT_FLEX_GRID()
{
    m_commands.EDIT_FLEX_GRID();
}

void AreaFlex::Area_Flex_GotFocus()
{
    m_commands.Area_Flex_GotFocus();
}

void AreaFlex::focusFromMenu()
{
    focusGrid();
    Area_Flex_GotFocus();
}

// ---------------------------------------------------------------------------
// Model and view

void AreaFlex::LiveGrid::setCellText(int row, int column, const QString& text)
{
    if (m_owner.m_grid.TextMatrix(row, column) == text) return;
    m_owner.m_grid.setTextMatrix(row, column, text);
    m_owner.syncView();
}

void AreaFlex::syncView()
{
    if (m_deferSync) return;
    syncCells();
    syncSelection();
}

void AreaFlex::syncCells()
{
    FlagGuard guard(m_syncing);
    const int rows = m_grid.Rows() - 1;
    const int cols = CoordGridModel::Cols - 1;
    if (columnCount() != cols) {
        setColumnCount(cols);
        for (int c = 0; c < cols; ++c)
            setColumnWidth(c, Twips::toPixelsX(kWidths[c + 1]));
    }
    if (rowCount() != rows) setRowCount(rows);

    QStringList headings;
    for (int c = 1; c < CoordGridModel::Cols; ++c)
        headings << m_grid.TextMatrix(0, c);
    setHorizontalHeaderLabels(headings);
    if (m_corner) m_corner->setText(m_grid.TextMatrix(0, 0));
    QStringList numbers;
    for (int r = 1; r < m_grid.Rows(); ++r)
        numbers << m_grid.TextMatrix(r, 0);
    setVerticalHeaderLabels(numbers);

    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            QTableWidgetItem* it = item(r, c);
            if (!it) {
                it = new QTableWidgetItem;
                it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
                it->setTextAlignment(c == 0 ? Qt::Alignment(Qt::AlignCenter)
                                            : Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
                setItem(r, c, it);
            }
            const QString text = m_grid.TextMatrix(r + 1, c + 1);
            if (it->text() != text) it->setText(text);
        }
    }
}

void AreaFlex::syncSelection()
{
    FlagGuard guard(m_syncing);
    if (m_grid.Rows() > 1) {
        QItemSelectionModel* sm = selectionModel();
        const QModelIndex anchor = model()->index(m_grid.Row() - 1, m_grid.Col() - 1);
        const QModelIndex current = model()->index(m_grid.RowSel() - 1, m_grid.ColSel() - 1);
        // Through the view first, so that Shift with the arrows extends from the
        // grid's cursor.
        setCurrentIndex(anchor);
        sm->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
        sm->select(QItemSelection(anchor, current), QItemSelectionModel::ClearAndSelect);
    }
}

void AreaFlex::onViewSelectionChanged()
{
    if (m_syncing) return;
    const QModelIndex current = currentIndex();
    if (!current.isValid()) return;
    int anchorRow = current.row();
    int anchorCol = current.column();
    for (const QTableWidgetSelectionRange& range : selectedRanges()) {
        if (current.row() < range.topRow() || current.row() > range.bottomRow() ||
            current.column() < range.leftColumn() || current.column() > range.rightColumn())
            continue;
        anchorRow = current.row() == range.topRow() ? range.bottomRow() : range.topRow();
        anchorCol = current.column() == range.leftColumn() ? range.rightColumn() : range.leftColumn();
        break;
    }
    const int row = anchorRow + 1, col = anchorCol + 1;
    const int rowSel = current.row() + 1, colSel = current.column() + 1;
    if (row == m_grid.Row() && col == m_grid.Col() && rowSel == m_grid.RowSel() && colSel == m_grid.ColSel())
        return;

    if (row != m_grid.Row() || col != m_grid.Col()) {
        // Leaving the cell stores what its editor holds.
        bool stored = true;
        {
            FlagGuard defer(m_deferSync);
            stored = m_commands.Area_Flex_LeaveCell();
        }
        if (!stored) {
            syncView(); // back to the cell whose text was refused
            return;
        }
    }
    // The view shows the user's selection already: only the cells may have changed.
    // Setting the selection back here would break the view's own steps (it moves
    // the current cell and the selection one after the other).
    m_grid.setSelection(row, col, rowSel, colSel);
    syncCells();
}

// ---------------------------------------------------------------------------
// CoordGridHost

bool AreaFlex::editorVisible() const
{
    return !m_editor->isHidden();
}

QString AreaFlex::editorText() const
{
    return m_editor->text();
}

void AreaFlex::SET_EDIT_CONTROL()
{
    const QRect cell = visualRect(model()->index(m_grid.Row() - 1, m_grid.Col() - 1));
    const int dx = Twips::toPixelsX(50);
    const int dy = Twips::toPixelsY(50);
    m_editor->setGeometry(cell.left() + dx, cell.top() + dy, qMax(1, cell.width() - dx),
                          qMax(1, cell.height() - dy));
    m_editor->setFont(font());
}

void AreaFlex::showEditor(const QString& text)
{
    {
        FlagGuard placing(m_placing);
        syncView();
        scrollTo(model()->index(m_grid.Row() - 1, m_grid.Col() - 1));
        SET_EDIT_CONTROL();
    }
    m_editor->setText(text);
    m_editor->setCursorPosition(int(text.size()));
    m_editor->show();
    m_editor->raise();
    if (!m_composing) m_editor->setFocus(Qt::OtherFocusReason);
}

void AreaFlex::hideEditor()
{
    m_composing = false;
    if (m_editor->hasFocus()) focusGrid();
    m_editor->hide();
}

void AreaFlex::focusEditor()
{
    m_editor->setFocus(Qt::OtherFocusReason);
}

void AreaFlex::focusGrid()
{
    FlagGuard guard(m_focusGuard);
    setFocus(Qt::OtherFocusReason);
}

void AreaFlex::processEvents()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void AreaFlex::modelChanged()
{
    syncView();
}

void AreaFlex::setBusy(bool busy)
{
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++m_busy;
    } else if (m_busy > 0) {
        QApplication::restoreOverrideCursor();
        --m_busy;
    }
}

void AreaFlex::setRepaintSuspended(bool suspended)
{
    setUpdatesEnabled(!suspended);
}

void AreaFlex::markChanged()
{
    mainWindow().setButtonEnabled(Keys::Save, true);
    Q_EMIT edited();
}

void AreaFlex::syncMenuToolbar()
{
    KCUTIL::Sync_Menu_Toolbar();
}

void AreaFlex::repaintPage()
{
    Q_EMIT pageRepaintRequested();
}

void AreaFlex::setClipboardText(const QString& text)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}

QString AreaFlex::clipboardText() const
{
    return QGuiApplication::clipboard()->text();
}

void AreaFlex::showMessage(const QString& text, const QString& title, Prompt::Icon icon)
{
    Prompt::message(text, title, icon);
}

bool AreaFlex::askYesNo(const QString& text, const QString& title, Prompt::Icon icon)
{
    return Prompt::ask(text, title, Prompt::Buttons::YesNo, icon) == Prompt::Answer::Yes;
}

// ---------------------------------------------------------------------------
// Events

int AreaFlex::vbKeyCode(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return CoordGridCommands::KeyTab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return CoordGridCommands::KeyEnter;
    case Qt::Key_Escape:
        return CoordGridCommands::KeyEsc;
    case Qt::Key_Up:
        return CoordGridCommands::KeyUp;
    case Qt::Key_Down:
        return CoordGridCommands::KeyDown;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Insert:
        return CoordGridCommands::KeyInsert;
    case Qt::Key_Delete:
        return CoordGridCommands::KeyDelete;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    default:
        break;
    }
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qtKey;
    return 0;
}

int AreaFlex::vbShift(Qt::KeyboardModifiers modifiers)
{
    int shift = 0;
    if (modifiers & Qt::ShiftModifier) shift |= CoordGridCommands::ShiftMask;
    if (modifiers & Qt::ControlModifier) shift |= CoordGridCommands::CtrlMask;
    if (modifiers & Qt::AltModifier) shift |= CoordGridCommands::AltMask;
    return shift;
}

bool AreaFlex::isGridCommandKey(int code, int shift)
{
    using C = CoordGridCommands;
    if (shift == C::CtrlMask)
        return code == C::KeyA || code == C::KeyN || code == C::KeyY || code == C::KeyC || code == C::KeyV ||
               code == C::KeyInsert;
    if (code == C::KeyInsert && shift == C::ShiftMask) return true;
    return code == C::KeyDelete;
}

bool AreaFlex::event(QEvent* e)
{
    // The grid's command keys must reach keyPressEvent instead of any shortcut.
    if (e->type() == QEvent::ShortcutOverride) {
        auto* ke = static_cast<QKeyEvent*>(e);
        if (isGridCommandKey(vbKeyCode(ke->key()), vbShift(ke->modifiers()))) {
            e->accept();
            return true;
        }
    }
    return QTableWidget::event(e);
}

void AreaFlex::keyPressEvent(QKeyEvent* e)
{
    const int code = vbKeyCode(e->key());
    const int shift = vbShift(e->modifiers());
    m_commands.Area_Flex_KeyDown(code, shift);
    if (isGridCommandKey(code, shift)) {
        e->accept();
        return;
    }

    // The character the key types, if any.
    if (!(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        if (code == CoordGridCommands::KeyEnter) {
            m_commands.Area_Flex_KeyPress(CoordGridCommands::KeyEnter);
            e->accept();
            return;
        }
        const QString text = e->text();
        if (!text.isEmpty() && text[0].unicode() > 32 && text[0].unicode() != 127) {
            if (text[0].unicode() < 128)
                m_commands.Area_Flex_KeyPress(text[0].unicode());
            else
                m_commands.Area_Flex_KeyPress(-1, text);
            e->accept();
            return;
        }
    }

    // Moving the cursor stays the view's; its other keys (select all, copy, edit
    // triggers) are not used.
    switch (e->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        QTableWidget::keyPressEvent(e);
        return;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        e->ignore();
        return;
    default:
        e->accept();
        return;
    }
}

void AreaFlex::inputMethodEvent(QInputMethodEvent* e)
{
    e->accept();
    // The first composition, or text committed at once, opens the editor as a typed
    // character does. While the input method composes, the grid keeps the focus
    // (taking it away would end the composition) and hands the events on to the
    // editor, which shows the composition in the cell; when the composition ends the
    // editor takes the focus and, with it, the input method.
    const bool composes = !e->preeditString().isEmpty();
    if (!m_composing) {
        if (editorVisible() || (!composes && e->commitString().isEmpty())) return;
        m_composing = true;
        m_commands.Area_Flex_KeyPress(-1, QString());
        if (!editorVisible()) {
            m_composing = false;
            return;
        }
    }
    QCoreApplication::sendEvent(m_editor, e);
    if (!composes) {
        m_composing = false;
        // A composition ended because the focus went elsewhere leaves it there.
        if (hasFocus()) focusEditor();
    }
    updateMicroFocus();
}

QVariant AreaFlex::inputMethodQuery(Qt::InputMethodQuery query) const
{
    // Every cell takes typed text, though the view knows none of them as editable.
    if (query == Qt::ImEnabled) return true;
    if (!m_composing) return QTableWidget::inputMethodQuery(query);
    // The composition is the editor's: its answers, with its rectangles placed in
    // the grid (the input method puts its candidate list under the cell).
    const QVariant answer = m_editor->inputMethodQuery(query);
    const QPoint offset = m_editor->mapTo(this, QPoint());
    if (answer.typeId() == QMetaType::QRect) return answer.toRect().translated(offset);
    if (answer.typeId() == QMetaType::QRectF) return answer.toRectF().translated(offset);
    return answer;
}

void AreaFlex::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableWidget::currentChanged(current, previous);
    // The view switches the input method off on a cell it cannot edit itself.
    setAttribute(Qt::WA_InputMethodEnabled, true);
}

void AreaFlex::focusInEvent(QFocusEvent* e)
{
    QTableWidget::focusInEvent(e);
    setAttribute(Qt::WA_InputMethodEnabled, true);
    // Coming back from a message box or a menu is no new arrival of the focus.
    if (m_focusGuard || e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason)
        return;
    Area_Flex_GotFocus();
}

void AreaFlex::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::RightButton) {
        ProgramState& s = ::state();
        s.Flex_Menu_Cmd = 0;
        s.Flex_Menu_Index = m_index;
        const QPoint pos = e->globalPosition().toPoint();
        for (int item : {0, 1, 2, 4, 6})
            mainWindow().setMenuItemEnabled(MainCommands::Menu::EDIT, item, true);
        if (QMenu* menu = mainWindow().popupMenu(MainCommands::Menu::EDIT)) menu->popup(pos);
        Q_EMIT popupMenuRequested(m_index, pos);
        e->accept();
        return;
    }
    QTableWidget::mousePressEvent(e);
}

void AreaFlex::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton || !indexAt(e->position().toPoint()).isValid()) {
        e->accept();
        return;
    }
    m_commands.Area_Flex_DblClick();
    e->accept();
}

void AreaFlex::scrollContentsBy(int dx, int dy)
{
    QTableWidget::scrollContentsBy(dx, dy);
    if (m_placing) return;
    m_commands.Area_Flex_Scroll();
}

bool AreaFlex::eventFilter(QObject* watched, QEvent* e)
{
    if (m_corner && watched == m_corner->parent() && e->type() == QEvent::Resize)
        m_corner->setGeometry(static_cast<QWidget*>(watched)->rect());
    if (watched == m_editor) {
        if (e->type() == QEvent::ShortcutOverride) {
            auto* ke = static_cast<QKeyEvent*>(e);
            const int code = vbKeyCode(ke->key());
            if (code == CoordGridCommands::KeyEnter || code == CoordGridCommands::KeyEsc) {
                e->accept();
                return true;
            }
        } else if (e->type() == QEvent::KeyPress) {
            auto* ke = static_cast<QKeyEvent*>(e);
            // Enter and Esc are swallowed; Tab, Enter, Esc and the up and down
            // arrows belong to the grid.
            if (m_commands.Cell_Editor_Key(vbKeyCode(ke->key()), vbShift(ke->modifiers()))) return true;
        }
    }
    return QTableWidget::eventFilter(watched, e);
}
