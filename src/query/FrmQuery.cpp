#include "FrmQuery.h"

#include "editors/MineralPicker.h"
#include "entry/NavigateWindow.h"
#include "entry/RegionPickerTree.h"
#include "platform/DigitsOnly.h"
#include "platform/Prompt.h"
#include "platform/Twips.h"
#include "registration/record/RegionPickerNodes.h"
#include "shell/MainWindowServices.h"
#include "shell/ProgramState.h"
#include "shell/ShellNames.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int TreeHeight = 2000;   // twips
constexpr int MineralWidth = 2500; // twips
constexpr int RegionWidth = 3500;  // twips

// The region picker: hides itself when it loses the focus.
class RegionTree : public PickerTreeView
{
public:
    using PickerTreeView::PickerTreeView;

protected:
    void focusOutEvent(QFocusEvent* event) override
    {
        QTreeWidget::focusOutEvent(event);
        if (event->reason() != Qt::PopupFocusReason) hide();
    }
};

} // namespace

namespace query {

FrmQuery::FrmQuery(QWidget* parent) : ModalDialog(parent, QString(), QString())
{
    setObjectName(QStringLiteral("FrmQuery"));
    setWindowTitle(QStringLiteral("查询条件设置"));

    auto* banner = new QLabel(QStringLiteral("数据查询条件设置"), this);
    banner->setObjectName(QStringLiteral("Label1"));
    QFont bannerFont = banner->font();
    bannerFont.setBold(true);
    bannerFont.setPointSizeF(bannerFont.pointSizeF() * 1.3);
    banner->setFont(bannerFont);
    auto* hint =
        new QLabel(QStringLiteral("请指定查询数据的登记年度、探矿权人、矿区名称等信息。其中探矿权人、矿区名称"
                                  "可以是模糊查询。如果未指定任何查询条件，将显示全部数据。"),
                   this);
    hint->setObjectName(QStringLiteral("Label2"));
    hint->setWordWrap(true);

    m_frame = new QGroupBox(QStringLiteral("查询条件"), this);
    m_frame->setObjectName(QStringLiteral("Frame1"));
    static const char16_t* const labels[BoxCount] = {u"登记年度：",     u"矿业权人：",     u"矿区名称：",
                                                     u"建设项目名称：", u"所在政区代码：", u"矿区编号：",
                                                     u"矿种：",         u"登 记 号："};
    static const int maxLengths[BoxCount] = {4, 0, 0, 0, 6, 0, 5, 0};
    QValidator* digits = digitsOnlyValidator(this);
    std::array<QLabel*, BoxCount> label3{};
    for (int i = 0; i < BoxCount; ++i) {
        m_text1[i] = new QLineEdit(m_frame);
        m_text1[i]->setObjectName(QStringLiteral("Text1_%1").arg(i));
        if (maxLengths[i] > 0) m_text1[i]->setMaxLength(maxLengths[i]);
        label3[i] = new QLabel(QString::fromUtf16(labels[i]), m_frame);
        label3[i]->setObjectName(QStringLiteral("Label3_%1").arg(i));
        label3[i]->setBuddy(m_text1[i]);
    }
    for (int box : {int(YearBox), int(NumberBox), int(RegionBox), int(MineralBox)})
        m_text1[box]->setValidator(digits);

    m_command1 = new QPushButton(QStringLiteral("..."), m_frame);
    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command3 = new QPushButton(QStringLiteral("..."), m_frame);
    m_command3->setObjectName(QStringLiteral("Command3"));
    for (QPushButton* b : {m_command1, m_command3}) {
        b->setAutoDefault(false);
        b->setFixedWidth(b->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 8);
    }

    // The free-text boxes reach across the frame.
    auto* grid = new QGridLayout(m_frame);
    const auto row = [&](int r, int box, int span) {
        grid->addWidget(label3[box], r, 0, Qt::AlignRight);
        grid->addWidget(m_text1[box], r, 1, 1, span);
    };
    row(0, NumberBox, 4);
    row(1, YearBox, 1);
    grid->addWidget(label3[MineralBox], 1, 2, Qt::AlignRight);
    grid->addWidget(m_text1[MineralBox], 1, 3);
    grid->addWidget(m_command1, 1, 4);
    row(2, HolderBox, 4);
    row(3, AreaNameBox, 4);
    row(4, AreaNumberBox, 4);
    row(5, ProjectNameBox, 4);
    row(6, RegionBox, 1);
    grid->addWidget(m_command3, 6, 2, Qt::AlignLeft);

    static const char16_t* const captions[2] = {u"确 定", u"取 消"};
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (int i = 0; i < 2; ++i) {
        m_command2[i] = new QPushButton(QString::fromUtf16(captions[i]), this);
        m_command2[i]->setObjectName(QStringLiteral("Command2_%1").arg(i));
        connect(m_command2[i], &QPushButton::clicked, this, [this, i] { Command2_Click(i); });
        buttons->addWidget(m_command2[i]);
    }
    m_command2[0]->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(banner);
    layout->addWidget(hint);
    layout->addWidget(m_frame);
    layout->addLayout(buttons);

    m_treeView1 = new MineralPicker(this);
    m_treeView1->setObjectName(QStringLiteral("TreeView1"));
    m_treeView1->hide();
    connect(m_treeView1, &MineralPicker::nodeClicked, this,
            [this](QTreeWidgetItem* n) { TreeView1_NodeClick(n); });
    connect(m_treeView1, &MineralPicker::keyMoved, this,
            [this](QTreeWidgetItem* n) { TreeView1_NodeClick(n); });

    auto* regionTree = new RegionTree(this);
    connect(regionTree, &PickerTreeView::keyMoved, this, [this](QTreeWidgetItem* n) { TreeView2_NodeClick(n); });
    m_treeView2 = regionTree;
    m_treeView2->setObjectName(QStringLiteral("TreeView2"));
    m_treeView2->setHeaderHidden(true);
    m_treeView2->hide();
    connect(m_treeView2, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* n) { TreeView2_NodeClick(n); });
    connect(m_treeView2, &QTreeWidget::itemExpanded, this,
            [this](QTreeWidgetItem* n) { TreeView2_Expand(n); });
    connect(m_treeView2, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (m_treeView2->currentItem()) m_treeView2->hide();
    });

    connect(m_command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(m_command3, &QPushButton::clicked, this, [this] { Command3_Click(); });

    Form_Load();
}

void FrmQuery::Register()
{
    NAVIGATE::Set_Query_Dialog([](QWidget* parent) {
        FrmQuery dialog(parent);
        dialog.exec();
    });
}

void FrmQuery::Form_Load()
{
    const QueryTexts remembered = Remembered_Query_Texts();
    for (int i = 0; i < BoxCount; ++i)
        m_text1[i]->setText(remembered[i]);
    adjustSize();
    centreOnScreen();
}

QueryTexts FrmQuery::texts() const
{
    QueryTexts t;
    for (int i = 0; i < BoxCount; ++i)
        t[i] = m_text1[i]->text();
    return t;
}

void FrmQuery::Command2_Click(int index)
{
    if (index == 1) {
        Query_Filter().clear();
        reject();
        return;
    }
    const QueryOutcome outcome = Build_Query_Filter(texts());
    if (!outcome.accepted()) {
        // Nothing applies until the boxes pass.
        Query_Filter().clear();
        Prompt::message(outcome.message, QStringLiteral("提示"), Prompt::Icon::Information, this);
        m_text1[outcome.refusedBox]->setFocus(Qt::OtherFocusReason);
        return;
    }
    Query_Filter() = outcome.filter;
    Remember_Query_Texts(texts());
    accept();
}

void FrmQuery::placeTree(QWidget* tree, QLineEdit* box, int widthTwips, bool below)
{
    const int height = Twips::toPixelsY(TreeHeight, this);
    QPoint at = mapFromGlobal(box->mapToGlobal(QPoint(0, below ? box->height() : 0)));
    if (!below) at.ry() -= height;
    tree->setGeometry(at.x(), at.y(), Twips::toPixelsX(widthTwips, this), height);
    tree->show();
    tree->raise();
}

void FrmQuery::Command1_Click()
{
    // Filled once per opening; a later drop shows the tree as it was left.
    if (m_treeView1->topLevelItemCount() == 0) m_treeView1->Load_Mineral_Tree();
    placeTree(m_treeView1, m_text1[MineralBox], MineralWidth, true);
}

void FrmQuery::Command3_Click()
{
    ProgramState& s = state();
    if (s.ProvinceCode == 0) mainWindow().openWindow(WindowNames::FrmPara);
    placeTree(m_treeView2, m_text1[RegionBox], RegionWidth, false);
    m_treeView2->setFocus(Qt::OtherFocusReason);

    // Every drop starts afresh: the province and its cities, collapsed.
    RegionPickerTree::Fill(m_treeView2, s.Cn(), s.ProvinceCode);
}

void FrmQuery::TreeView2_Expand(QTreeWidgetItem* node)
{
    RegionPickerTree::Expand(node, state().Cn());
}

void FrmQuery::TreeView2_NodeClick(QTreeWidgetItem* node)
{
    if (!node || node->text(0) == RegionPickerNodes::Placeholder) return;
    QLineEdit* box = m_text1[RegionBox];
    box->setText(RegionPickerTree::keyOf(node).trimmed().mid(1));
    box->setCursorPosition(int(box->text().size()));
}

void FrmQuery::TreeView1_NodeClick(QTreeWidgetItem* node)
{
    if (!node || node->childCount() > 0 || !node->parent()) return;
    const MineralPicker::Choice choice = MineralPicker::choiceOf(node);
    if (!choice.valid || choice.mineral == 0) return; // a placeholder
    m_text1[MineralBox]->setText(QString::number(choice.mineral));
    m_treeView1->hide();
}

void FrmQuery::mousePressEvent(QMouseEvent* event)
{
    // A click on the free surface closes the region tree; the mineral tree stays.
    m_treeView2->hide();
    ModalDialog::mousePressEvent(event);
}

} // namespace query
