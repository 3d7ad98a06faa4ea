#include "FrmEdit.h"

#include "EditorWidgets.h"
#include "FrmKszl.h"
#include "FrmZycl.h"
#include "MineralPicker.h"
#include "RowCommands.h"
#include "RowLoading.h"

#include "entry/ColumnAlignDelegate.h"
#include "platform/ErrorBox.h"
#include "platform/Prompt.h"
#include "platform/Twips.h"
#include "shell/KCUTIL_Dictionary.h"
#include "shell/MainWindowServices.h"
#include "shell/ProgramState.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>
#include <QToolButton>

namespace editors {

namespace {

const QString Tip = QStringLiteral("提示");
const QString Caption = QStringLiteral("压覆矿产资源储量编辑");

// Lengths of the window in twips.
constexpr int ClientWidth = 8280;
constexpr int ClientHeight = 4770;
constexpr int GridLeft = 330;
constexpr int GridTop = EditorWidgets::HelpBottom + 15;
constexpr int NumberWidth = 454;  // 8 mm
constexpr int ColumnWidth = 1020; // 18 mm
constexpr int RowHeight = 397;    // 7 mm
constexpr int HeaderHeight = 600; // two lines of titles
constexpr int CellButtonWidth = 345;
constexpr int TreeWidth = 3500;
constexpr int TreeHeight = 2000;
constexpr int ListWidth = 2060;
constexpr int ListHeight = 1500;

} // namespace

FrmEdit::FrmEdit(QWidget* parent)
    : ModalDialog(parent ? parent : mainWindow().dialogParent(), QString(), QString())
{
    setObjectName(QStringLiteral("FrmEdit"));
    setWindowTitle(Caption);
    buildControls();
    Form_Load();
}

FrmEdit::~FrmEdit()
{
    Form_Unload();
}

void FrmEdit::buildControls()
{
    setFixedSize(Twips::toPixelsX(ClientWidth), Twips::toPixelsY(ClientHeight));

    EditorWidgets::addBanner(this, Caption);
    EditorWidgets::addHelp(
        this,
        QStringLiteral("请依次点击列表框中对应的单元格，填写查明矿产资源储量及质量特征。填写主要组分平均"
                       "含量数据的行，无需再填写储量、基础储量、资源量类型编码和该类型的数量。"),
        570, 7095);

    m_table = new QTableWidget(RowGrid::LastRow, RowGrid::Columns, this);
    m_table->setObjectName(QStringLiteral("MSFlexGrid1"));
    m_table->setFont(EditorWidgets::songti(9));
    // A cell wraps its text into the row's height: the statistics object of a loaded
    // row stands on two lines, the object's name above its units.
    m_table->setWordWrap(true);
    m_table->setItemDelegate(new ColumnAlignDelegate(
        [](int, int column) {
            return column == RowGrid::Number ? Qt::Alignment(Qt::AlignCenter)
                                             : Qt::AlignLeft | Qt::AlignVCenter;
        },
        true, m_table));
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->horizontalHeader()->setMinimumSectionSize(1);
    m_table->verticalHeader()->setMinimumSectionSize(1);
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // The titles wrap onto two lines where a column is too narrow for them.
    m_table->horizontalHeader()->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
    m_table->horizontalHeader()->setFixedHeight(Twips::toPixelsY(HeaderHeight));
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QStringList titles;
    int gridWidth = NumberWidth;
    for (int c = 0; c < RowGrid::Columns; ++c) {
        titles << m_grid.text(0, c);
        m_table->setColumnWidth(c, Twips::toPixelsX(c == 0 ? NumberWidth : ColumnWidth));
        if (c > 0) gridWidth += ColumnWidth;
    }
    m_table->setHorizontalHeaderLabels(titles);
    for (int r = 0; r < RowGrid::LastRow; ++r)
        m_table->setRowHeight(r, Twips::toPixelsY(RowHeight));
    const int frame = 2 * m_table->frameWidth();
    m_table->setGeometry(Twips::toPixelsX(GridLeft), Twips::toPixelsY(GridTop),
                         Twips::toPixelsX(gridWidth) + frame +
                             m_table->style()->pixelMetric(QStyle::PM_ScrollBarExtent),
                         Twips::toPixelsY(6 * 10080 / 25.4 + HeaderHeight) + frame);
    connect(m_table, &QTableWidget::cellClicked, this, [this](int r, int c) { MSFlexGrid1_Click(r + 1, c); });
    connect(m_table->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { MSFlexGrid1_Scroll(); });
    m_table->installEventFilter(this);

    static const char* const commandNames[] = {"删 除", "退  出", "插入行"};
    static const int commandLefts[] = {4470, 6030, 2910};
    for (int i = 0; i < 3; ++i) {
        auto* b = new QPushButton(QString::fromUtf8(commandNames[i]), this);
        b->setObjectName(QStringLiteral("Command2_%1").arg(i));
        b->setAutoDefault(false); // Enter in a pick list must not press a button
        b->setGeometry(Twips::toPixels(commandLefts[i], 4290, 1125, 285));
        connect(b, &QPushButton::clicked, this, [this, i] { Command2_Click(i); });
        m_commands[i] = b;
    }

    m_cellButton = new QToolButton(this);
    m_cellButton->setObjectName(QStringLiteral("Command1"));
    m_cellButton->setFont(EditorWidgets::songti(7.5));
    m_cellButton->hide();
    connect(m_cellButton, &QToolButton::clicked, this, [this] { Command1_Click(); });

    m_tree = new MineralPicker(this);
    m_tree->hide();
    connect(m_tree, &MineralPicker::nodeClicked, this,
            [this](QTreeWidgetItem* node) { TreeView1_NodeClick(node); });

    for (int i = 0; i < 3; ++i) {
        auto* list = new QListWidget(this);
        list->setObjectName(QStringLiteral("List1_%1").arg(i));
        list->hide();
        connect(list, &QListWidget::itemClicked, this, [this, i] { List1_Click(i); });
        connect(list, &QListWidget::itemActivated, this, [this, i] { List1_Click(i); });
        m_lists[i] = list;
    }
}

void FrmEdit::Form_Load()
{
    centreOnScreen();
    mainWindow().setPanelText(1, QStringLiteral("资源储量编辑..."));
    state().Edit_Open = -1;
    m_grid.Init_Grid();
    m_grid.Clear_Row_Codes();
    setRowCommandsEnabled(false);
    m_tree->Load_Mineral_Tree();
    const auto combinations = RowLoading::Load_dic_List1(state().Cn(), 16, QStringLiteral("cb01"));
    if (combinations)
        m_lists[0]->addItems(*combinations);
    else
        ErrorBox::show(combinations.error(), this);
    loadRows();
}

bool FrmEdit::loadRows()
{
    const auto loaded = RowLoading::Load_Rows(state().Cn(), state().Cur_DJH, m_grid);
    showGrid();
    if (!loaded) {
        ErrorBox::show(loaded.error(), this);
        return false;
    }
    if (loaded->overflow())
        Prompt::message(QStringLiteral("该登记的矿产资源储量数据有") + QString::number(loaded->groups) +
                            QStringLiteral("行，超过25行，只能显示和编辑前25行！"),
                        Tip, Prompt::Icon::Exclamation, this);
    return true;
}

void FrmEdit::done(int result)
{
    Form_Unload();
    ModalDialog::done(result);
}

bool FrmEdit::eventFilter(QObject* watched, QEvent* event)
{
    // F4 or Alt+Down on a grid cell acts as a click on the cell and on its button.
    if (watched == m_table && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool open =
            key->key() == Qt::Key_F4 || (key->key() == Qt::Key_Down && (key->modifiers() & Qt::AltModifier));
        if (open && m_table->currentRow() >= 0) {
            MSFlexGrid1_Click(m_table->currentRow() + 1, m_table->currentColumn());
            if (m_cellButton->isVisible()) Command1_Click();
            return true;
        }
    }
    return ModalDialog::eventFilter(watched, event);
}

void FrmEdit::Form_Unload()
{
    state().Edit_Open = 0;
}

void FrmEdit::showGrid()
{
    m_table->setUpdatesEnabled(false);
    for (int r = 1; r <= RowGrid::LastRow; ++r) {
        for (int c = 0; c < RowGrid::Columns; ++c) {
            QTableWidgetItem* item = m_table->item(r - 1, c);
            if (!item) {
                item = new QTableWidgetItem;
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
                m_table->setItem(r - 1, c, item);
            }
            item->setText(m_grid.text(r, c));
        }
    }
    m_table->setUpdatesEnabled(true);
}

void FrmEdit::setRowCommandsEnabled(bool enabled)
{
    m_commands[0]->setEnabled(enabled);
    m_commands[2]->setEnabled(enabled);
}

void FrmEdit::hidePopups()
{
    m_tree->hide();
    for (QListWidget* list : m_lists)
        list->hide();
    m_cellButton->hide();
}

// ---- Grid and cell button -------------------------------------------------------------

void FrmEdit::MSFlexGrid1_Click(int row, int column)
{
    m_row = row;
    m_column = column;
    hidePopups();
    setRowCommandsEnabled(row > 0 && m_grid.hasMineral(row));
    const QString caption = m_grid.cellButton(row, column);
    if (caption.isEmpty() || column == RowGrid::Object) return;

    const QRect cell = m_table->visualRect(m_table->model()->index(row - 1, column));
    const QPoint topLeft = m_table->viewport()->mapTo(this, cell.topLeft());
    const int w = Twips::toPixelsX(CellButtonWidth);
    m_cellButton->setText(caption);
    m_cellButton->setGeometry(topLeft.x() + cell.width() - w, topLeft.y(), w, cell.height());
    m_cellButton->show();
    m_cellButton->raise();
}

void FrmEdit::MSFlexGrid1_Scroll()
{
    m_cellButton->hide();
}

void FrmEdit::placePopup(QWidget* popup, int widthTwips, int heightTwips)
{
    const QRect cell = m_table->visualRect(m_table->model()->index(m_row - 1, m_column));
    const QPoint topLeft = m_table->viewport()->mapTo(this, cell.topLeft());
    const int h = Twips::toPixelsY(heightTwips);
    int top = topLeft.y() + cell.height();
    if (top + h > height()) top = topLeft.y() - h;
    popup->setGeometry(topLeft.x(), top, Twips::toPixelsX(widthTwips), h);
    popup->show();
    popup->raise();
    popup->setFocus(Qt::OtherFocusReason);
}

void FrmEdit::Command1_Click()
{
    const int r = m_row;
    switch (m_column) {
    case RowGrid::Mineral:
        placePopup(m_tree, TreeWidth, TreeHeight);
        break;
    case RowGrid::Combination:
    case RowGrid::OreType:
    case RowGrid::OreGrade: {
        const int index = m_column == RowGrid::Combination ? 0 : m_column == RowGrid::OreType ? 1 : 2;
        placePopup(m_lists[index], ListWidth, ListHeight);
        if (index == 0) break;
        const int mineral = m_grid.code(r, RowGrid::Mineral);
        if (mineral == 0) {
            Prompt::message(QStringLiteral("请先选择矿产名称！"), Tip, Prompt::Icon::Information, this);
            break;
        }
        const auto entries = RowLoading::Load_Type_Grade_List(state().Cn(), index, mineral);
        if (!entries) {
            ErrorBox::show(entries.error(), this);
            break;
        }
        m_lists[index]->clear();
        m_lists[index]->addItems(*entries);
        break;
    }
    case RowGrid::Quality:
    case RowGrid::Reserve: {
        const QStringList missing = m_grid.missingBeforeEditor(r, m_column);
        if (!missing.isEmpty()) {
            Prompt::message(QStringLiteral("请先填写以下数据：\n") + missing.join(QStringLiteral("、")), Tip,
                            Prompt::Icon::Information, this);
            return;
        }
        if (m_column == RowGrid::Quality)
            openQualityEditor(r);
        else
            openReserveEditor(r);
        break;
    }
    default:
        break;
    }
}

void FrmEdit::handOver(int row)
{
    m_handOver.Cur_DJH = state().Cur_DJH;
    m_handOver.Cur_KCDM = m_grid.code(row, RowGrid::Mineral);
    m_handOver.Cur_TJDX = m_grid.code(row, RowGrid::Object);
    m_handOver.Cur_KSLX = m_grid.code(row, RowGrid::OreType);
    m_handOver.Cur_KSPJ = m_grid.code(row, RowGrid::OreGrade);
    m_handOver.Cur_KCZHM = m_grid.code(row, RowGrid::Combination);
    m_handOver.Cur_KCZH = m_grid.text(row, RowGrid::Combination);
    m_handOver.Cur_XSXH = 100 * m_grid.text(row, RowGrid::Number).toInt();
}

void FrmEdit::openQualityEditor(int row)
{
    handOver(row);
    if (m_handOver.Cur_KSLX == 0 && m_handOver.Cur_KSPJ == 0 &&
        m_grid.text(row, RowGrid::Quality).isEmpty()) {
        if (Prompt::ask(QStringLiteral("矿石类型/矿石品级未选择，确定是要填写平均组分含量吗？"), Tip,
                        Prompt::Buttons::OkCancel, Prompt::Icon::Information, this) == Prompt::Answer::Cancel)
            return;
    }
    m_handOver.Kszl_Flag = m_grid.text(row, RowGrid::Quality);
    {
        FrmKszl editor(this, m_handOver);
        editor.exec();
        m_handOver = editor.handOver();
    }
    m_grid.setText(row, RowGrid::Quality, m_handOver.Kszl_Flag);
    if (m_handOver.Kszl_Flag == RowGrid::Average) {
        for (const int c : {int(RowGrid::OreType), int(RowGrid::OreGrade)}) {
            m_grid.setText(row, c, QString());
            m_grid.setCode(row, c, 0);
        }
    }
    showGrid();
}

void FrmEdit::openReserveEditor(int row)
{
    handOver(row);
    m_handOver.Zycl_Flag = m_grid.text(row, RowGrid::Reserve);
    {
        FrmZycl editor(this, m_handOver);
        editor.exec();
        m_handOver = editor.handOver();
    }
    m_grid.setText(row, RowGrid::Reserve, m_handOver.Zycl_Flag);
    showGrid();
}

// ---- Picks ----------------------------------------------------------------------------

void FrmEdit::List1_Click(int index)
{
    QListWidgetItem* item = m_lists[index]->currentItem();
    if (!item) return;
    const auto pick =
        RowCommands::List_Pick(state().Cn(), state().Cur_DJH, m_grid, m_row, index, item->text());
    if (!pick) {
        ErrorBox::show(pick.error(), this);
        showGrid();
        return;
    }
    if (*pick == RowCommands::Pick::Ignored) return;
    m_lists[index]->hide();
    if (*pick == RowCommands::Pick::Duplicate) {
        Prompt::message(QStringLiteral("数据与第【") + QString::number(m_grid.Dup_Row) +
                            QStringLiteral("】行重复！请重新输入！"),
                        Tip, Prompt::Icon::Exclamation, this);
        return;
    }
    showGrid();
}

void FrmEdit::TreeView1_NodeClick(QTreeWidgetItem* node)
{
    const MineralPicker::Choice choice = MineralPicker::choiceOf(node);
    if (!choice.valid) return;
    RowCommands::TreeChoice c{choice.mineral, choice.object, choice.mineralText, choice.objectText};
    if (!choice.fromObject) {
        Db::Error e;
        c.objectText = KCUTIL::Get_Cb06_Units(choice.mineral, &e);
        if (e.isSet()) ErrorBox::show(e, this);
    }
    m_tree->hide();
    if (RowCommands::Tree_Pick(m_grid, m_row, c) == RowCommands::Pick::Duplicate) {
        Prompt::message(QStringLiteral("数据与第【") + QString::number(m_grid.Dup_Row) +
                            QStringLiteral("】行重复！请重新输入！"),
                        Tip, Prompt::Icon::Exclamation, this);
        return;
    }
    showGrid();
}

// ---- Row commands -----------------------------------------------------------------------

void FrmEdit::Command2_Click(int index)
{
    const QStringList unsaved = RowCommands::Unsaved_Rows(m_grid);
    if (!unsaved.isEmpty() && Prompt::ask(QStringLiteral("以下数据无矿石质量/资源储量数据，将不保存：\n") +
                                              unsaved.join(QStringLiteral("、")),
                                          Tip, Prompt::Buttons::OkCancel, Prompt::Icon::Information,
                                          this) == Prompt::Answer::Cancel)
        return;

    switch (index) {
    case 0: {
        const int r = m_row;
        if (r < 1) return;
        if (Prompt::ask(QStringLiteral("确定要删除第") + m_grid.text(r, RowGrid::Number) +
                            QStringLiteral("行资源储量数据吗？"),
                        Tip, Prompt::Buttons::OkCancel, Prompt::Icon::Question,
                        this) == Prompt::Answer::Cancel)
            return;
        const auto deleted = RowCommands::Delete_Row(state().Cn(), state().Cur_DJH, m_grid, r);
        showGrid();
        if (!deleted) ErrorBox::show(deleted.error(), this);
        m_cellButton->hide();
        setRowCommandsEnabled(false);
        break;
    }
    case 1:
        close();
        break;
    case 2: {
        if (m_grid.hasMineral(RowGrid::LastRow)) {
            Prompt::message(QStringLiteral("数据已达到最大，无法再插入行！"), Tip, Prompt::Icon::Information,
                            this);
            return;
        }
        const auto inserted = RowCommands::Insert_Row(state().Cn(), state().Cur_DJH, m_grid, m_row);
        showGrid();
        if (!inserted) ErrorBox::show(inserted.error(), this);
        m_cellButton->hide();
        setRowCommandsEnabled(false);
        break;
    }
    default:
        break;
    }
}

} // namespace editors
