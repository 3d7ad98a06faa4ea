#include "MineralPicker.h"

#include "MineralCodes.h"

#include "platform/ErrorBox.h"
#include "platform/TextNumber.h"
#include "shell/ProgramState.h"

#include <QApplication>
#include <QFocusEvent>
#include <QHeaderView>

namespace {

constexpr int KeyRole = Qt::UserRole;
const QString CategoryPlaceholder = QStringLiteral("NULL");
const QString ObjectPlaceholder = QStringLiteral("JSDX");

// The code of a category or mineral node: the last five characters of its key.
QString codeOfKey(const QString& key)
{
    return key.trimmed().right(5);
}

int number(const QString& text)
{
    return TextNumber::roundToInt32(TextNumber::leading(text));
}

} // namespace

MineralPicker::MineralPicker(QWidget* parent) : PickerTreeView(parent)
{
    setObjectName(QStringLiteral("TreeView1"));
    setHeaderHidden(true);
    setColumnCount(1);
    connect(this, &QTreeWidget::itemExpanded, this,
            [this](QTreeWidgetItem* node) { TreeView1_Expand(node); });
    connect(this, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* node) { Q_EMIT nodeClicked(node); });
    connect(this, &QTreeWidget::itemDoubleClicked, this, [this] { hide(); });
    connect(this, &PickerTreeView::entered, this, &MineralPicker::nodeClicked);
}

QSqlDatabase MineralPicker::database() const
{
    return m_db.isValid() ? m_db : ::state().Cn();
}

QString MineralPicker::keyOf(const QTreeWidgetItem* node)
{
    return node ? node->data(0, KeyRole).toString() : QString();
}

QTreeWidgetItem* MineralPicker::addNode(QTreeWidgetItem* parent, const QString& key, const QString& text)
{
    auto* node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    node->setText(0, text);
    node->setData(0, KeyRole, key);
    return node;
}

void MineralPicker::Load_Mineral_Tree()
{
    clear();
    const auto list = editors::MineralCodes::categories(database());
    QTreeWidgetItem* root = addNode(nullptr, QStringLiteral("A"), QStringLiteral("矿产类别"));
    if (!list) {
        ErrorBox::show(list.error(), this);
        return;
    }
    int running = 0;
    for (const auto& category : *list) {
        if (running == 0) root->setExpanded(true);
        QTreeWidgetItem* node = addNode(root, QStringLiteral("B") + category.code, category.name);
        addNode(node, QStringLiteral("C") + QString::number(running), CategoryPlaceholder);
        ++running;
        QApplication::processEvents();
    }
}

void MineralPicker::TreeView1_Expand(QTreeWidgetItem* node)
{
    if (!node || node->childCount() == 0) return;
    const QString first = node->child(0)->text(0);
    const QString code = codeOfKey(keyOf(node));
    if (first == CategoryPlaceholder) {
        delete node->takeChild(0);
        const auto minerals = editors::MineralCodes::minerals(database(), code);
        if (!minerals) {
            ErrorBox::show(minerals.error(), this);
            return;
        }
        for (const auto& m : *minerals) {
            QTreeWidgetItem* mineral = addNode(node, QStringLiteral("C") + m.code, m.name);
            if (m.hasObjects) addNode(mineral, QStringLiteral("D") + m.code, ObjectPlaceholder);
        }
    } else if (first == ObjectPlaceholder) {
        delete node->takeChild(0);
        const auto objects = editors::MineralCodes::objects(database(), code);
        if (!objects) {
            ErrorBox::show(objects.error(), this);
            return;
        }
        for (const auto& o : *objects)
            addNode(node, QStringLiteral("D") + code + QString::number(o.object), o.text);
    }
}

MineralPicker::Choice MineralPicker::choiceOf(const QTreeWidgetItem* node)
{
    Choice c;
    if (!node || node->childCount() > 0 || !node->parent()) return c;
    const QString key = keyOf(node).trimmed();
    if (key.startsWith(QLatin1Char('C'))) {
        c.valid = true;
        c.mineral = number(codeOfKey(key));
        c.mineralText = node->text(0);
        return c;
    }
    if (!key.startsWith(QLatin1Char('D'))) return c;
    c.valid = true;
    c.fromObject = true;
    c.mineral = number(codeOfKey(keyOf(node->parent())));
    c.mineralText = node->parent()->text(0);
    c.object = number(key.mid(6));
    c.objectText = node->text(0);
    return c;
}

int MineralPicker::mineralCodeOf(const QTreeWidgetItem* node)
{
    const QString key = keyOf(node).trimmed();
    if (key.startsWith(QLatin1Char('C'))) return number(codeOfKey(key));
    if (key.startsWith(QLatin1Char('D')) && node->parent()) return number(codeOfKey(keyOf(node->parent())));
    return 0;
}

void MineralPicker::focusOutEvent(QFocusEvent* event)
{
    QTreeWidget::focusOutEvent(event);
    // A pop-up of the tree itself (its scroll bar) keeps it open.
    if (event->reason() != Qt::PopupFocusReason) hide();
}
