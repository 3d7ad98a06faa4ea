#include "NavigateTree.h"

#include <QHash>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

namespace NAVIGATE {

namespace {

QTreeWidgetItem* makeItem(const QString& key, const QString& text, const QString& tag)
{
    auto* item = new QTreeWidgetItem(QStringList{text});
    item->setData(0, KeyRole, key);
    item->setData(0, TagRole, tag);
    return item;
}

} // namespace

void Fill_Tree(QTreeWidget* tree, const TreeNodes& nodes)
{
    tree->setUpdatesEnabled(false);
    tree->clear();
    // Only the nodes that have children are looked up, and children mostly follow
    // one another under the same parent: a list of a large database then needs a
    // small table of parents, not one of every node.
    QHash<QString, QTreeWidgetItem*> parents;
    {
        const QString* last = nullptr;
        for (const TreeNode& n : nodes) {
            if (n.parentKey.isEmpty() || (last && *last == n.parentKey)) continue;
            parents.insert(n.parentKey, nullptr);
            last = &n.parentKey;
        }
    }
    QList<QTreeWidgetItem*> roots;
    const QString* lastKey = nullptr;
    QTreeWidgetItem* lastParent = nullptr;
    for (const TreeNode& n : nodes) {
        QTreeWidgetItem* item = makeItem(n.key, n.text, n.tag);
        if (!n.parentKey.isEmpty() && !(lastKey && *lastKey == n.parentKey)) {
            lastParent = parents.value(n.parentKey);
            lastKey = &n.parentKey;
        }
        QTreeWidgetItem* parent = n.parentKey.isEmpty() ? nullptr : lastParent;
        if (parent)
            parent->addChild(item);
        else
            roots.append(item);
        if (!n.key.isEmpty() && !parents.isEmpty()) {
            const auto it = parents.find(n.key);
            if (it != parents.end()) it.value() = item;
        }
    }
    tree->addTopLevelItems(roots);
    tree->setUpdatesEnabled(true);
}

QTreeWidgetItem* Add_Node(QTreeWidget* tree, const QString& key, const QString& text, const QString& tag)
{
    QTreeWidgetItem* item = makeItem(key, text, tag);
    tree->addTopLevelItem(item);
    return item;
}

QString Node_Key(const QTreeWidgetItem* item)
{
    return item ? item->data(0, KeyRole).toString() : QString();
}

QString Node_Tag(const QTreeWidgetItem* item)
{
    return item ? item->data(0, TagRole).toString() : QString();
}

QTreeWidgetItem* Find_Node_Key_Suffix(const QTreeWidget* tree, const QString& value, int length)
{
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(tree)); *it; ++it)
        if (Key_Has_Suffix(Node_Key(*it), value, length)) return *it;
    return nullptr;
}

QList<QTreeWidgetItem*> Tree_Nodes(const QTreeWidget* tree)
{
    QList<QTreeWidgetItem*> items;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(tree)); *it; ++it)
        items.append(*it);
    return items;
}

void Swap_Tree_Labels(QTreeWidget* tree)
{
    for (QTreeWidgetItem* item : Tree_Nodes(tree)) {
        const QString text = item->text(0);
        item->setText(0, Node_Tag(item));
        item->setData(0, TagRole, text);
    }
}

bool Is_Closing_Node(const QTreeWidgetItem* item)
{
    return item && item->text(0) == ClosingText && Node_Key(item).isEmpty();
}

bool Registration_Selected(const QTreeWidget* list)
{
    const QTreeWidgetItem* node = list->currentItem();
    return node && node->childCount() == 0 && !Is_Closing_Node(node);
}

int Count_Registrations(const QTreeWidget* tree)
{
    int n = 0;
    for (QTreeWidgetItem* item : Tree_Nodes(tree))
        if (item->childCount() == 0 && !Is_Closing_Node(item)) ++n;
    return n;
}

} // namespace NAVIGATE
