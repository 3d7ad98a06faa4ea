#include "NavigateTree.h"

#include <QHash>
#include <QSet>
#include <QObject>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <algorithm>
#include <utility>

namespace NAVIGATE {

namespace {

// The item of one node: its text, key and tag live in the item itself rather than
// in the item's general list of values, and it knows its node in the tree's store
// (-1 for a node added by hand).
class NodeItem : public QTreeWidgetItem
{
public:
    NodeItem(int node, const TreeNode& n)
        : QTreeWidgetItem(UserType), m_node(node), m_text(n.text), m_key(n.key), m_tag(n.tag)
    {
    }

    int node() const { return m_node; }

    QVariant data(int column, int role) const override
    {
        if (column == 0) {
            if (role == Qt::DisplayRole || role == Qt::EditRole) return m_text;
            if (role == KeyRole) return m_key;
            if (role == TagRole) return m_tag;
        }
        return QTreeWidgetItem::data(column, role);
    }

    void setData(int column, int role, const QVariant& value) override
    {
        QString* field = nullptr;
        if (column == 0) {
            if (role == Qt::DisplayRole || role == Qt::EditRole) field = &m_text;
            if (role == KeyRole) field = &m_key;
            if (role == TagRole) field = &m_tag;
        }
        if (!field) return QTreeWidgetItem::setData(column, role, value);
        const QString text = value.toString();
        if (*field == text) return;
        *field = text;
        emitDataChanged();
    }

private:
    int m_node;
    QString m_text, m_key, m_tag;
};

const NodeItem* nodeItem(const QTreeWidgetItem* item)
{
    return item && item->type() == QTreeWidgetItem::UserType ? static_cast<const NodeItem*>(item) : nullptr;
}

// Every node a tree was filled with, of which only the roots and the children of
// the nodes opened so far have items: a list of a large database has hundreds of
// thousands of nodes, most of them never seen. A node's children get their items
// when it is expanded, or when a node below it is looked for. Emptying the tree
// empties the store.
class NodeStore : public QObject
{
public:
    NodeStore(QTreeWidget* tree, const TreeNodes& nodes) : QObject(tree), m_tree(tree), m_nodes(nodes)
    {
        setObjectName(QStringLiteral("NodeStore"));
        index();
        connect(tree, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) { open(item); });
        connect(tree->model(), &QAbstractItemModel::modelAboutToBeReset, this, [this] { forget(); });
    }

    static NodeStore* of(const QTreeWidget* tree)
    {
        return tree->findChild<NodeStore*>(QStringLiteral("NodeStore"), Qt::FindDirectChildrenOnly);
    }

    // The items of the roots, the closing node included.
    QList<QTreeWidgetItem*> rootItems() const
    {
        QList<QTreeWidgetItem*> items;
        items.reserve(m_roots.size());
        for (int i : std::as_const(m_roots))
            items.append(makeItem(i));
        return items;
    }

    // Gives the children of the item of a node their items, once.
    void open(QTreeWidgetItem* item)
    {
        const int node = unopened(item);
        if (node < 0 || childrenOf(node) == 0) return;
        QList<QTreeWidgetItem*> children;
        children.reserve(childrenOf(node));
        for (int k = m_childStart[node]; k < m_childStart[node + 1]; ++k)
            children.append(makeItem(m_children[k]));
        item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
        item->addChildren(children);
    }

    // The item of the first node (in adding order) that `matches`, after giving
    // items to the nodes on its path; nullptr when none matches.
    template <class Match> QTreeWidgetItem* find(Match matches)
    {
        for (int i = 0; i < m_nodes.size(); ++i)
            if (matches(m_nodes.at(i).key)) return itemOf(i);
        return nullptr;
    }

    // Gives every node its item.
    void openAll()
    {
        for (QTreeWidgetItemIterator it(m_tree); *it; ++it)
            open(*it);
    }

    // The registrations below an item whose children have no items yet.
    int hiddenRegistrations(const QTreeWidgetItem* item) const
    {
        const int node = unopened(item);
        return node < 0 ? 0 : m_leavesBelow.at(node);
    }

    void swapLabels()
    {
        for (TreeNode& n : m_nodes)
            std::swap(n.text, n.tag);
    }

private:
    int childrenOf(int node) const { return m_childStart[node + 1] - m_childStart[node]; }

    // The stored node of an item whose children have no items yet; -1 for any other.
    int unopened(const QTreeWidgetItem* item) const
    {
        const NodeItem* n = nodeItem(item);
        if (!n || n->node() < 0 || n->node() >= m_nodes.size() || item->childCount() > 0) return -1;
        return n->node();
    }

    QTreeWidgetItem* makeItem(int i) const
    {
        auto* item = new NodeItem(i, m_nodes.at(i));
        if (childrenOf(i) > 0) item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
        return item;
    }

    // Each node under the node of its parent key (at the root when that key is
    // empty or not added before it); the children of a node kept in adding order.
    void index()
    {
        const int n = int(m_nodes.size());
        QList<int> parent(n, -1);
        // A parent is nearly always the node just added or one of its ancestors: the
        // builders add each group right before its members. Any other parent is the
        // last node added before with that key, from a table of the keys of groups
        // made the first time it is needed.
        QHash<QString, int> parents;
        int tabled = 0; // the nodes before it are in the table
        for (int i = 0; i < n; ++i) {
            const QString& parentKey = m_nodes.at(i).parentKey;
            if (parentKey.isEmpty()) continue;
            int p = i - 1;
            while (p >= 0 && m_nodes.at(p).key != parentKey)
                p = parent[p];
            if (p < 0) {
                if (parents.isEmpty() && tabled == 0) {
                    QSet<QString> groups;
                    for (const TreeNode& node : std::as_const(m_nodes))
                        if (!node.parentKey.isEmpty()) groups.insert(node.parentKey);
                    for (const QString& key : std::as_const(groups))
                        parents.insert(key, -1);
                }
                for (; tabled < i; ++tabled) {
                    const auto it = parents.find(m_nodes.at(tabled).key);
                    if (it != parents.end()) it.value() = tabled;
                }
                p = parents.value(parentKey, -1);
            }
            parent[i] = p;
        }
        m_parent = parent;
        m_childStart.fill(0, n + 1);
        for (int i = 0; i < n; ++i) {
            if (parent[i] < 0)
                m_roots.append(i);
            else
                ++m_childStart[parent[i] + 1];
        }
        for (int i = 0; i < n; ++i)
            m_childStart[i + 1] += m_childStart[i];
        m_children.resize(m_childStart[n]);
        QList<int> fill(m_childStart.begin(), m_childStart.end() - 1);
        for (int i = 0; i < n; ++i)
            if (parent[i] >= 0) m_children[fill[parent[i]]++] = i;
        // Registrations below each node with children: its leaves, the closing node
        // left out. Children come after their parents, so a walk backwards adds each
        // node to its parent complete.
        QList<int> leaves(n, 0);
        for (int i = n - 1; i >= 0; --i) {
            if (childrenOf(i) == 0) {
                const TreeNode& node = m_nodes.at(i);
                leaves[i] = node.key.isEmpty() && node.text == ClosingText ? 0 : 1;
            }
            if (parent[i] >= 0) leaves[parent[i]] += leaves[i];
        }
        m_leavesBelow = leaves;
    }

    // The item of node `i`, its ancestors opened; nullptr when the tree no longer
    // holds it.
    QTreeWidgetItem* itemOf(int i)
    {
        const int parent = m_parent[i];
        if (parent < 0) {
            const int row = int(std::lower_bound(m_roots.begin(), m_roots.end(), i) - m_roots.begin());
            QTreeWidgetItem* item = m_tree->topLevelItem(row);
            return nodeItem(item) && nodeItem(item)->node() == i ? item : nullptr;
        }
        QTreeWidgetItem* above = itemOf(parent);
        if (!above) return nullptr;
        open(above);
        const int* first = m_children.constData() + m_childStart[parent];
        const int row = int(std::lower_bound(first, m_children.constData() + m_childStart[parent + 1], i) - first);
        QTreeWidgetItem* item = above->child(row);
        return nodeItem(item) && nodeItem(item)->node() == i ? item : nullptr;
    }

    void forget()
    {
        m_nodes.clear();
        m_parent.clear();
        m_roots.clear();
        m_childStart.fill(0, 1);
        m_children.clear();
        m_leavesBelow.clear();
    }

    QTreeWidget* m_tree;
    TreeNodes m_nodes;
    QList<int> m_parent;       // index of the parent node, -1 for a root
    QList<int> m_roots;        // the root nodes in adding order
    QList<int> m_childStart;   // the children of node i: m_children[m_childStart[i] .. m_childStart[i+1])
    QList<int> m_children;
    QList<int> m_leavesBelow; // registrations below each node
};

} // namespace

void Fill_Tree(QTreeWidget* tree, const TreeNodes& nodes)
{
    tree->setUpdatesEnabled(false);
    tree->clear();
    delete NodeStore::of(tree);
    auto* store = new NodeStore(tree, nodes);
    tree->addTopLevelItems(store->rootItems());
    tree->setUpdatesEnabled(true);
}

QTreeWidgetItem* Add_Node(QTreeWidget* tree, const QString& key, const QString& text, const QString& tag)
{
    auto* item = new NodeItem(-1, {key, text, tag, QString()});
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
    if (NodeStore* store = NodeStore::of(tree)) {
        if (QTreeWidgetItem* item =
                store->find([&](const QString& key) { return Key_Has_Suffix(key, value, length); }))
            return item;
    }
    // Nodes added after the fill.
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(tree)); *it; ++it)
        if (Key_Has_Suffix(Node_Key(*it), value, length)) return *it;
    return nullptr;
}

QList<QTreeWidgetItem*> Tree_Nodes(const QTreeWidget* tree)
{
    if (NodeStore* store = NodeStore::of(tree)) store->openAll();
    QList<QTreeWidgetItem*> items;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(tree)); *it; ++it)
        items.append(*it);
    return items;
}

void Swap_Tree_Labels(QTreeWidget* tree)
{
    if (NodeStore* store = NodeStore::of(tree)) store->swapLabels();
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        QTreeWidgetItem* item = *it;
        const QString text = item->text(0);
        item->setText(0, Node_Tag(item));
        item->setData(0, TagRole, text);
    }
}

bool Is_Closing_Node(const QTreeWidgetItem* item)
{
    return item && item->text(0) == ClosingText && Node_Key(item).isEmpty();
}

bool Has_Children(const QTreeWidgetItem* item)
{
    return item && (item->childCount() > 0 || item->childIndicatorPolicy() == QTreeWidgetItem::ShowIndicator);
}

bool Registration_Selected(const QTreeWidget* list)
{
    const QTreeWidgetItem* node = list->currentItem();
    return node && !Has_Children(node) && !Is_Closing_Node(node);
}

int Count_Registrations(const QTreeWidget* tree)
{
    const NodeStore* store = NodeStore::of(tree);
    int n = 0;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(tree)); *it; ++it) {
        const QTreeWidgetItem* item = *it;
        if (Has_Children(item))
            n += store ? store->hiddenRegistrations(item) : 0;
        else if (!Is_Closing_Node(item))
            ++n;
    }
    return n;
}

} // namespace NAVIGATE
