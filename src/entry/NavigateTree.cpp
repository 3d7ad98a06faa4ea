#include "NavigateTree.h"

#include <QAbstractItemModel>
#include <QKeyEvent>

#include <algorithm>

// The tree model of a node table: an index's internal id is its node.
class NodeModel : public QAbstractItemModel
{
public:
    using QAbstractItemModel::QAbstractItemModel;

    const NodeTable& table() const { return m_table; }

    void reset(NodeTable table)
    {
        beginResetModel();
        m_table = std::move(table);
        endResetModel();
    }

    void swapLabels()
    {
        Q_EMIT layoutAboutToBeChanged();
        m_table.swapLabels();
        Q_EMIT layoutChanged();
    }

    QModelIndex indexOf(int node) const
    {
        if (node < 0 || node >= m_table.size() || m_table.isRemoved(node)) return {};
        return createIndex(m_table.row(node), 0, quintptr(node));
    }

    QModelIndex insertRoot(int row, const QString& key, const QString& text)
    {
        row = std::clamp(row, 0, m_table.rootCount());
        beginInsertRows({}, row, row);
        const int node = m_table.insertRoot(row, key, text, text);
        endInsertRows();
        return indexOf(node);
    }

    void remove(const QModelIndex& index)
    {
        if (!index.isValid()) return;
        beginRemoveRows(index.parent(), index.row(), index.row());
        m_table.remove(NavigateTree::nodeOf(index));
        endRemoveRows();
    }

    void setLabel(const QModelIndex& index, const QString& key, const QString& text)
    {
        if (!index.isValid()) return;
        m_table.setKey(NavigateTree::nodeOf(index), key);
        m_table.setText(NavigateTree::nodeOf(index), text);
        Q_EMIT dataChanged(index, index);
    }

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override
    {
        if (column != 0 || row < 0 || row >= rowCount(parent)) return {};
        const int node =
            parent.isValid() ? m_table.child(NavigateTree::nodeOf(parent), row) : m_table.root(row);
        return createIndex(row, 0, quintptr(node));
    }

    QModelIndex parent(const QModelIndex& child) const override
    {
        return child.isValid() ? indexOf(m_table.parent(NavigateTree::nodeOf(child))) : QModelIndex();
    }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        if (!parent.isValid()) return m_table.rootCount();
        return parent.column() == 0 ? m_table.childCount(NavigateTree::nodeOf(parent)) : 0;
    }

    int columnCount(const QModelIndex& = {}) const override { return 1; }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid()) return {};
        const int node = NavigateTree::nodeOf(index);
        switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return m_table.text(node).toString();
        case NAVIGATE::KeyRole:
            return m_table.key(node).toString();
        case NAVIGATE::TagRole:
            return m_table.tag(node).toString();
        default:
            return {};
        }
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }

private:
    NodeTable m_table;
};

NavigateTree::NavigateTree(QWidget* parent) : QTreeView(parent), m_model(new NodeModel(this))
{
    // Every row is one line of the same font; the view then need not measure a
    // long list row by row.
    setUniformRowHeights(true);
    setModel(m_model);
}

void NavigateTree::fill(NodeTable nodes)
{
    m_model->reset(std::move(nodes));
}

void NavigateTree::clear()
{
    if (!m_model->table().isEmpty()) m_model->reset(NodeTable());
}

const NodeTable& NavigateTree::nodes() const
{
    return m_model->table();
}

QModelIndex NavigateTree::indexOf(int node) const
{
    return m_model->indexOf(node);
}

int NavigateTree::nodeOf(const QModelIndex& index)
{
    return index.isValid() ? int(index.internalId()) : -1;
}

int NavigateTree::topLevelCount() const
{
    return m_model->rowCount();
}

void NavigateTree::swapLabels()
{
    m_model->swapLabels();
}

QModelIndex NavigateTree::insertRoot(int row, const QString& key, const QString& text)
{
    return m_model->insertRoot(row, key, text);
}

void NavigateTree::remove(const QModelIndex& node)
{
    m_model->remove(node);
}

void NavigateTree::setLabel(const QModelIndex& node, const QString& key, const QString& text)
{
    m_model->setLabel(node, key, text);
}

void NavigateTree::keyPressEvent(QKeyEvent* event)
{
    const QPersistentModelIndex before = currentIndex();
    QTreeView::keyPressEvent(event);
    const QModelIndex now = currentIndex();
    if (now.isValid() && now != before) Q_EMIT keyMoved(now);
}

namespace NAVIGATE {

QString Node_Key(const QModelIndex& node)
{
    return node.data(KeyRole).toString();
}

QString Node_Tag(const QModelIndex& node)
{
    return node.data(TagRole).toString();
}

QList<QModelIndex> Tree_Nodes(const NavigateTree* tree)
{
    QList<QModelIndex> nodes;
    const qsizetype n = tree->nodes().size();
    nodes.reserve(n);
    for (int i = 0; i < n; ++i)
        nodes.append(tree->indexOf(i));
    return nodes;
}

QModelIndex Find_Node_Key_Suffix(const NavigateTree* tree, const QString& value, int length)
{
    return tree->indexOf(tree->nodes().findKeySuffix(value, length));
}

bool Is_Closing_Node(const QModelIndex& node)
{
    return node.isValid() && node.data().toString() == ClosingText && Node_Key(node).isEmpty();
}

bool Has_Children(const QModelIndex& node)
{
    return node.isValid() && node.model()->hasChildren(node);
}

bool Registration_Selected(const NavigateTree* list)
{
    const QModelIndex node = list->currentIndex();
    return node.isValid() && !Has_Children(node) && !Is_Closing_Node(node);
}

int Count_Registrations(const NavigateTree* tree)
{
    return tree->nodes().registrationCount();
}

} // namespace NAVIGATE
