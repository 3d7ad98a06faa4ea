#include "RegionPanel.h"

#include "entry/RegionPickerTree.h"

#include "platform/Twips.h"
#include "shell/ProgramState.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGridLayout>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

namespace {
constexpr int KeyRole = Qt::UserRole;
constexpr int TreeHeight = 1800; // twips
} // namespace

RegionPanel::RegionPanel(const QString& caption, QWidget* dialog)
    : QGroupBox(caption, dialog), m_dialog(dialog)
{
    setObjectName(QStringLiteral("Frame1"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("行政区代码："), this), 0, 0);
    m_code = new QLineEdit(this);
    m_code->setObjectName(QStringLiteral("Text2_0"));
    grid->addWidget(m_code, 0, 1);
    m_command1 = new QPushButton(QStringLiteral("..."), this);
    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command1->setAutoDefault(false);
    grid->addWidget(m_command1, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("行政区名称："), this), 1, 0);
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("Text2_1"));
    grid->addWidget(m_name, 1, 1, 1, 2);
    const QString captions[2] = {QStringLiteral("仅压覆登记"),
                                 QStringLiteral("查明、占用、停办、压覆全部登记")};
    for (int i = 0; i < 2; ++i) {
        m_option[i] = new QRadioButton(captions[i], this);
        m_option[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        grid->addWidget(m_option[i], 2 + i, 0, 1, 3);
        connect(m_option[i], &QRadioButton::clicked, this, &RegionPanel::kindClicked);
    }
    m_option[0]->setChecked(true);

    auto* tree = new PickerTreeView(dialog);
    m_tree = tree;
    m_tree->setObjectName(QStringLiteral("TreeView2"));
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->hide();
    connect(m_tree, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* node) { TreeView2_NodeClick(node); });
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, &RegionPanel::hideTree);
    // The keys pick as the mouse does: a move as a click, Enter as a click and a double click.
    connect(tree, &PickerTreeView::keyMoved, this, [this](QTreeWidgetItem* node) { TreeView2_NodeClick(node); });
    connect(tree, &PickerTreeView::entered, this, [this](QTreeWidgetItem* node) {
        TreeView2_NodeClick(node);
        hideTree();
    });
    connect(m_tree, &QTreeWidget::itemExpanded, this,
            [this](QTreeWidgetItem* node) { TreeView2_Expand(node); });
    connect(m_command1, &QPushButton::clicked, this, &RegionPanel::dropDownClicked);
    m_tree->installEventFilter(this);
    dialog->installEventFilter(this);
    installEventFilter(this);
}

QString RegionPanel::code() const
{
    return m_code->text().trimmed();
}

QString RegionPanel::name() const
{
    return m_name->text().trimmed();
}

bool RegionPanel::allKinds() const
{
    return m_option[1]->isChecked();
}

void RegionPanel::fill(const RegionPickerNodes::Nodes& nodes)
{
    m_tree->clear();
    QHash<QString, QTreeWidgetItem*> byKey;
    int added = 0;
    for (const RegionPickerNodes::Node& n : nodes) {
        QTreeWidgetItem* parent = byKey.value(n.parentKey);
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_tree);
        item->setText(0, n.text);
        item->setData(0, KeyRole, n.key);
        byKey.insert(n.key, item);
        if (!parent) item->setExpanded(true);
        // Let the window paint while a long list goes in.
        if (++added % 200 == 0) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

void RegionPanel::showTree()
{
    const QPoint below = m_dialog->mapFromGlobal(m_code->mapToGlobal(QPoint(0, m_code->height())));
    m_tree->setGeometry(below.x(), below.y(), m_command1->geometry().right() - m_code->geometry().left(),
                        Twips::toPixelsY(TreeHeight));
    m_tree->show();
    m_tree->raise();
    m_tree->setFocus(Qt::OtherFocusReason);
}

void RegionPanel::hideTree()
{
    m_tree->hide();
}

bool RegionPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_tree && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        // Esc closes the dropped tree, not the dialog under it.
        hideTree();
        m_command1->setFocus(Qt::OtherFocusReason);
        return true;
    }
    if (watched == m_tree && event->type() == QEvent::FocusOut) hideTree();
    if ((watched == m_dialog || watched == this) && event->type() == QEvent::MouseButtonPress) hideTree();
    return QGroupBox::eventFilter(watched, event);
}

void RegionPanel::TreeView2_NodeClick(QTreeWidgetItem* node)
{
    if (!node) return;
    m_code->setText(node->data(0, KeyRole).toString().trimmed().mid(1));
    m_name->setText(node->text(0));
}

void RegionPanel::TreeView2_Expand(QTreeWidgetItem* node)
{
    // The fill adds no placeholders; a node that has one gets its counties from the
    // working database, as in the entry window's picker.
    RegionPickerTree::Expand(node, state().Cn());
}
