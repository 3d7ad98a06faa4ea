#include "EntryEditing.h"

#include "RegionPickerTree.h"

#include "FieldBox.h"
#include "KnPage.h"
#include "NavigateTree.h"
#include "NewTab.h"
#include "registration/form/FieldRegistry.h"
#include "registration/record/FieldEditRules.h"
#include "registration/record/RegionPickerNodes.h"
#include "registration/record/SaveChecks.h"

#include "NewTabControls.h"
#include "coords/RegistrationNumbers.h"
#include "platform/Clock.h"
#include "platform/ErrorBox.h"
#include "platform/Prompt.h"
#include "platform/Twips.h"
#include "shell/CommandTargets.h"
#include "shell/MainWindowServices.h"
#include "shell/ProgramState.h"
#include "shell/ShellNames.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHash>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>

namespace {

using Array = FormControl::Array;

const QString Tip = QStringLiteral("提示");
constexpr int KeyRole = Qt::UserRole;
constexpr int PickerHeight = 2000; // twips

EntryEditing::DetailEditor& detailEditor()
{
    static EntryEditing::DetailEditor editor;
    return editor;
}

struct BoxRef
{
    Array array = Array::None;
    int index = -1;
};

// The boxes' editing widgets, to find the box a key went to.
QHash<const QObject*, BoxRef>& editors()
{
    static QHash<const QObject*, BoxRef> map;
    return map;
}

QString itemKey(const QTreeWidgetItem* item)
{
    return item ? item->data(0, KeyRole).toString() : QString();
}

bool sixDigits(const QString& code)
{
    if (code.size() != 6) return false;
    for (const QChar c : code) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    }
    return true;
}

} // namespace

EntryEditing* EntryEditing::attach(NewTab& window)
{
    if (EntryEditing* existing = of(window)) return existing;
    return new EntryEditing(window);
}

EntryEditing* EntryEditing::of(const NewTab& window)
{
    return window.findChild<EntryEditing*>(QString(), Qt::FindDirectChildrenOnly);
}

void EntryEditing::setDetailEditor(DetailEditor editor)
{
    detailEditor() = std::move(editor);
    if (NewTab* window = NewTab::instance()) {
        if (EntryEditing* e = of(*window)) e->updateEditButton();
    }
}

bool EntryEditing::hasDetailEditor()
{
    return bool(detailEditor());
}

QString EntryEditing::Prefix_Full_Message(const QString& prefix)
{
    return QStringLiteral("登记号[") + prefix + QStringLiteral("]下的顺序号已用完，系统无法自动配号！");
}

EntryEditing::EntryEditing(NewTab& window) : QObject(&window), m_window(window)
{
    connectBoxes();

    QComboBox* combo = controlsOf(window).Combo5(0);
    connect(combo, &QComboBox::activated, this, [this] { Combo5_Click(0); });
    combo->installEventFilter(this);

    connect(controlsOf(window).Command7(), &QPushButton::clicked, this, [this] { Command7_Click(); });
    PickerTreeView* tree = controlsOf(window).TreeView2();
    connect(tree, &QTreeWidget::itemExpanded, this,
            [this](QTreeWidgetItem* node) { TreeView2_Expand(node); });
    connect(tree, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* node) { TreeView2_NodeClick(node); });
    connect(tree, &QTreeWidget::itemDoubleClicked, this, [this] { TreeView2_DblClick(); });
    // Enter chooses the region under the cursor as a click and a double click do.
    connect(tree, &PickerTreeView::entered, this, [this](QTreeWidgetItem* node) {
        TreeView2_NodeClick(node);
        TreeView2_DblClick();
    });
    tree->installEventFilter(this);

    connect(controlsOf(window).Command2(), &QPushButton::clicked, this, [this] { Command2_Click(); });
    controlsOf(window).Command2()->installEventFilter(this);
    updateEditButton();

    for (int page = 0; page < 4; ++page)
        controlsOf(window).KNPIC(page)->installEventFilter(this);
}

void EntryEditing::connectBoxes()
{
    for (const Array a : FieldRegistry::arrays()) {
        const QList<FieldBox*>& list = controlsOf(m_window).boxes(a);
        for (int i = 0; i < list.size(); ++i) {
            FieldBox* box = list[i];
            connect(box, &FieldBox::textChanged, this, [this, a, i] { Kn_Change(a, i); });
            QWidget* editor = box->editor();
            editors().insert(editor, {a, i});
            connect(editor, &QObject::destroyed, [editor] { editors().remove(editor); });
            editor->installEventFilter(this);
        }
    }
}

// ---- Change handlers -------------------------------------------------------------

void EntryEditing::Kn_Change(Array array, int index)
{
    ProgramState& s = state();
    // The cover's 建设单位 also stands on the first page, also while loading.
    if (array == Array::Kn2Data && index == 0)
        controlsOf(m_window).Kn2Data(2)->setText(controlsOf(m_window).Kn2Data(0)->text());
    if (s.Is_Loading) return;

    MainWindowServices& host = mainWindow();
    host.setButtonEnabled(Keys::Save, true);
    host.syncMenuToolbar();
    if (FieldEditRules::Needs_Number_Warning(array, index, controlsOf(m_window).box(array, index)->text()))
        Prompt::message(FieldEditRules::Number_Warning(), Tip, Prompt::Icon::Information, &m_window);

    switch (array) {
    case Array::Kn1Data:
        advance(array, index);
        if (index == 0) testNumber();
        break;
    case Array::Kn2Data:
        if (index == 1) makeNumber();
        advance(array, index);
        if (index == 1 || index == 16) s.Nav_Changed = true;
        break;
    case Array::Kn3Data:
        advance(array, index);
        break;
    case Array::Kn6Data:
    case Array::None:
        break;
    }
}

void EntryEditing::advance(Array array, int index)
{
    const FieldEditRules::Advance rule = FieldEditRules::Advance_Rule(array, index);
    if (rule.length == 0 || controlsOf(m_window).box(array, index)->text().size() != rule.length) return;
    FieldBox* next = controlsOf(m_window).box(array, index + 1);
    if (!next) return;
    switch (rule.next) {
    case FieldEditRules::NextBox::Any:
        break;
    case FieldEditRules::NextBox::EnabledAndVisible:
        if (!next->isEnabled() || next->isHidden()) return;
        break;
    case FieldEditRules::NextBox::Enabled:
        if (!next->isEnabled()) return;
        break;
    }
    next->editor()->setFocus(Qt::TabFocusReason);
}

void EntryEditing::testNumber()
{
    ProgramState& s = state();
    FieldBox* box = controlsOf(m_window).Kn1Data(0);
    const Result<KCUTIL::DjhFree> free =
        KCUTIL::DJH_Is_Free(s.Cn(), box->text(),
                            {s.Cur_DJH, NAVIGATE::Registration_Selected(controlsOf(m_window).TvmDataList())});
    if (!free) {
        ErrorBox::show(free.error(), &m_window);
        return;
    }
    switch (*free) {
    case KCUTIL::DjhFree::Free:
        s.Nav_Changed = true;
        break;
    case KCUTIL::DjhFree::Taken:
        Prompt::message(FieldEditRules::Duplicate_Warning(box->column()), Tip, Prompt::Icon::Information,
                        &m_window);
        break;
    }
}

void EntryEditing::makeNumber()
{
    ProgramState& s = state();
    const QString code = controlsOf(m_window).Kn2Data(1)->text().trimmed();
    // A number is made once, for an empty number box, from a complete region code.
    if (!sixDigits(code) || !controlsOf(m_window).Kn1Data(0)->text().trimmed().isEmpty()) return;
    const QString prefix = FieldEditRules::New_DJH_Prefix(code, Clock::today().year());
    const Result<KCUTIL::DjhAllocation> next = KCUTIL::Next_DJH(s.Cn(), prefix);
    if (!next) {
        ErrorBox::show(next.error(), &m_window);
        return;
    }
    const KCUTIL::DjhAllocation& a = *next;
    if (!a.warning.isEmpty()) Prompt::message(a.warning, QStringLiteral("警告"), Prompt::Icon::Information);
    switch (a.status) {
    case KCUTIL::DjhAllocation::Status::Ok:
        controlsOf(m_window).Kn1Data(0)->setText(a.number); // tests the number and sets Nav_Changed
        if (s.Cur_DJH.isEmpty()) s.Cur_DJH = a.number;
        controlsOf(m_window).TreeView2()->hide();
        break;
    case KCUTIL::DjhAllocation::Status::PrefixFull:
        Prompt::message(Prefix_Full_Message(prefix), QStringLiteral("警告"), Prompt::Icon::Exclamation,
                        &m_window);
        break;
    }
}

// ---- Keys ----------------------------------------------------------------------------

void EntryEditing::sendTab(bool backwards)
{
    QWidget* focus = QApplication::focusWidget();
    if (!focus) return;
    QKeyEvent tab(QEvent::KeyPress, backwards ? Qt::Key_Backtab : Qt::Key_Tab,
                  backwards ? Qt::ShiftModifier : Qt::NoModifier);
    QApplication::sendEvent(focus, &tab);
}

bool EntryEditing::Kn_KeyDown(Array array, int index, int key)
{
    FieldBox* box = controlsOf(m_window).box(array, index);
    if (!box) return false;
    if (key == Qt::Key_Escape) return true; // swallowed in every box
    if (box->isMultiLine()) return false;   // Enter and the arrows edit the text
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (array == Array::Kn2Data && index == 4 && enter) {
        const int length = int(box->text().trimmed().size());
        if (length >= 1 && length <= 5) {
            Prompt::message(FieldEditRules::Postcode_Warning(), Tip, Prompt::Icon::Information, &m_window);
            return true;
        }
    }
    if (key == Qt::Key_Up) {
        sendTab(true);
        return true;
    }
    if (enter || key == Qt::Key_Down) {
        sendTab(false);
        return true;
    }
    return false;
}

bool EntryEditing::Combo5_KeyDown(int index, int key)
{
    Q_UNUSED(index);
    if (key == Qt::Key_Up) {
        sendTab(true);
        return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        sendTab(false);
        return true;
    }
    return false;
}

// ---- Region picker --------------------------------------------------------------------

void EntryEditing::Command7_Click()
{
    ProgramState& s = state();
    if (s.ProvinceCode == 0) {
        mainWindow().openWindow(WindowNames::FrmPara);
    }
    QTreeWidget* tree = controlsOf(m_window).TreeView2();
    FieldBox* box = controlsOf(m_window).Kn2Data(1);
    QWidget* parent = tree->parentWidget();
    const QPoint below = parent->mapFromGlobal(box->mapToGlobal(QPoint(0, box->height())));
    tree->setGeometry(below.x(), below.y(), box->width() + controlsOf(m_window).Command7()->width(),
                      Twips::toPixelsY(PickerHeight));
    tree->show();
    tree->raise();

    // Provinces and cities; a city's counties come when it is expanded.
    RegionPickerTree::Fill(tree, s.Cn(), s.ProvinceCode);
    tree->setFocus(Qt::OtherFocusReason);
}

void EntryEditing::TreeView2_Expand(QTreeWidgetItem* node)
{
    RegionPickerTree::Expand(node, state().Cn());
}

void EntryEditing::TreeView2_NodeClick(QTreeWidgetItem* node)
{
    if (!node || node->childCount() != 0 || !node->parent()) return;
    if (node->text(0) == RegionPickerNodes::Placeholder) return;
    FieldBox* box = controlsOf(m_window).Kn2Data(1);
    box->setText(RegionPickerNodes::Region_Box_Text(itemKey(node)));
    if (QLineEdit* line = box->lineEdit()) line->setCursorPosition(int(line->text().size()));
}

void EntryEditing::TreeView2_DblClick()
{
    QTreeWidget* tree = controlsOf(m_window).TreeView2();
    const QTreeWidgetItem* node = tree->currentItem();
    if (node && node->childCount() == 0) tree->hide();
}

void EntryEditing::TreeView2_LostFocus()
{
    controlsOf(m_window).TreeView2()->hide();
}

// ---- Cover-page controls ------------------------------------------------------------------

void EntryEditing::Combo5_Click(int index)
{
    if (index == 0) controlsOf(m_window).Kn2Data(9)->setText(controlsOf(m_window).Combo5(0)->currentText());
}

void EntryEditing::Command2_Click()
{
    if (!detailEditor()) return;
    detailEditor()(m_window);
    // The tables show what the editor left, changed or not.
    m_window.view_zycl();
}

void EntryEditing::updateEditButton()
{
    if (m_settingEditButton || hasDetailEditor()) return;
    QPushButton* button = controlsOf(m_window).Command2();
    if (!button->isEnabled()) return;
    m_settingEditButton = true;
    button->setEnabled(false);
    m_settingEditButton = false;
}

void EntryEditing::KNPIC_MouseUp(int index, Qt::MouseButton button, const QPoint& globalPos)
{
    if (index != 2 || button != Qt::RightButton) return;
    MainWindowServices& main = mainWindow();
    if (!main.present()) return;
    const ProgramState& s = state();
    const std::pair<int, bool> marks[] = {{0, s.MapFill},    {1, s.MapShowPoints}, {2, s.MapShowLabels},
                                          {4, s.MapShowAll}, {5, s.MapOnlyRight},  {6, s.MapOnlyReserve}};
    for (const auto& [item, on] : marks) {
        if (QAction* a = main.menuItem(MainCommands::Menu::DRAW, item)) {
            a->setCheckable(true);
            a->setChecked(on);
        }
    }
    if (QMenu* menu = main.popupMenu(MainCommands::Menu::DRAW)) menu->popup(globalPos);
}

bool EntryEditing::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const auto it = editors().constFind(watched);
        if (it != editors().constEnd()) return Kn_KeyDown(it->array, it->index, key);
        if (watched == controlsOf(m_window).Combo5(0)) return Combo5_KeyDown(0, key);
        break;
    }
    case QEvent::FocusOut:
        if (watched == controlsOf(m_window).TreeView2()) TreeView2_LostFocus();
        break;
    case QEvent::EnabledChange:
        if (watched == controlsOf(m_window).Command2()) updateEditButton();
        break;
    case QEvent::MouseButtonRelease:
        for (int page = 0; page < 4; ++page) {
            if (watched == controlsOf(m_window).KNPIC(page)) {
                const auto* mouse = static_cast<QMouseEvent*>(event);
                KNPIC_MouseUp(page, mouse->button(), mouse->globalPosition().toPoint());
                break;
            }
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
