#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// One node of a navigation tree: the key (empty for the closing "..." node of a flat
// list), the text shown, the other label kept in the tag, and the key of the parent
// node (empty for a root node).
struct TreeNode
{
    QString key;
    QString text;
    QString tag;
    QString parentKey;

    bool operator==(const TreeNode&) const = default;
};
Q_DECLARE_TYPEINFO(TreeNode, Q_RELOCATABLE_TYPE);
using TreeNodes = QList<TreeNode>;

// The nodes of a navigation tree in one table, in the order they were added (a parent
// always before its children): their texts in one buffer, each node its parent, its
// row under it and its children. A list of a large database has hundreds of thousands
// of nodes; here a node costs a few numbers, not strings of its own.
class NodeTable
{
public:
    // A piece of the text buffer.
    struct Text
    {
        qint32 at = 0;
        qint32 size = 0;
    };

    NodeTable() = default;
    // Each node under the last node before it with its parent key; at the root when
    // that key is empty or none before it has it.
    explicit NodeTable(const TreeNodes& nodes);

    // Building: texts put into the buffer, then a node of them. `parent` is the index
    // of a node added before, or -1 for a root.
    Text put(QUtf8StringView text);
    Text put(QStringView text);
    // A key: the level letter and the text of one or two values.
    Text putKey(char16_t letter, QUtf8StringView first, QUtf8StringView second = {});
    int add(Text key, Text text, Text tag, int parent);
    // The node that closes a flat list.
    void addClosing();

    // Changing a table shown: a root added at a row of the roots, a node and the nodes
    // below it taken out (their numbers stay unused), a node's key or text replaced.
    int insertRoot(int row, QStringView key, QStringView text, QStringView tag);
    void remove(int node);
    void setKey(int node, QStringView key);
    void setText(int node, QStringView text);
    bool isRemoved(int node) const { return m_nodes.at(node).removed; }

    // Room for this many nodes and characters of text, so that a large list is not
    // moved in memory as it grows.
    void reserve(qsizetype nodes, qsizetype characters);
    qsizetype characters() const { return m_used; }

    qsizetype size() const { return m_nodes.size(); }
    bool isEmpty() const { return m_nodes.isEmpty(); }

    QStringView key(int i) const { return view(m_nodes.at(i).key); }
    QStringView text(int i) const { return view(m_nodes.at(i).text); }
    QStringView tag(int i) const { return view(m_nodes.at(i).tag); }
    int parent(int i) const { return m_nodes.at(i).parent; }
    // Its row under its parent, or among the roots.
    int row(int i) const { return m_nodes.at(i).row; }

    int rootCount() const { return int(m_roots.size()); }
    int root(int row) const { return m_roots.at(row); }
    int childCount(int i) const { return m_nodes.at(i).childCount; }
    int child(int i, int row) const;

    bool isClosing(int i) const { return closes(m_nodes.at(i).key, m_nodes.at(i).text); }
    // The registrations a node stands for: 1 for a registration, those below it for a
    // group, none for the closing node.
    int registrationsAt(int i) const { return m_nodes.at(i).registrations; }
    int registrationCount() const;

    // The first node in adding order whose key ends in `value`
    // (NAVIGATE::Key_Has_Suffix); -1 when none does. A node taken out is never found.
    int findKeySuffix(QStringView value, int length) const;

    // Exchanges the text and the tag of every node.
    void swapLabels();

    // The nodes as a list, each with the key of its parent, those taken out left out.
    TreeNodes nodes() const;

private:
    struct Node
    {
        Text key, text, tag;
        int parent = -1;
        int row = 0;
        int childCount = 0;
        int registrations = 0;
        bool removed = false;
    };

    QStringView view(Text t) const { return QStringView(m_buffer).mid(t.at, t.size); }
    // A node of this key and text closes a flat list.
    bool closes(Text key, Text text) const;
    QChar* room(qsizetype length);
    // The children of every node in one list, made on first use.
    void indexChildren() const;
    // The rows, the numbers of children and of registrations made anew after a change.
    void reindex();

    QString m_buffer;
    qsizetype m_used = 0;
    QList<Node> m_nodes;
    QList<int> m_roots;
    mutable QList<int> m_firstChild; // the children of node i from m_children[m_firstChild[i]]
    mutable QList<int> m_children;
};
