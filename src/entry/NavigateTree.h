#pragma once

#include "registration/navigation/NAVIGATE.h"

#include <QList>
#include <QModelIndex>
#include <QTreeView>
#include <Qt>

class NodeModel;

// A navigation tree of the entry window: a view of a node table. A node's text is
// what it shows; its key and tag are in its data. Only the nodes on the screen are
// read from the table: a list of a large database has hundreds of thousands. The
// tree tells when the keyboard moved its selection, so that the keys choose a node
// as a click does.
class NavigateTree : public QTreeView
{
    Q_OBJECT
public:
    explicit NavigateTree(QWidget* parent = nullptr);

    // Shows these nodes instead of those shown; nothing selected or expanded.
    void fill(NodeTable nodes);
    void clear();
    const NodeTable& nodes() const;

    // The index of a node of the table; invalid for -1.
    QModelIndex indexOf(int node) const;
    // The node of an index; -1 for an invalid one.
    static int nodeOf(const QModelIndex& index);
    int topLevelCount() const;
    // Exchanges the text and the tag of every node.
    void swapLabels();
    // A root node added at a row of the roots (key, text and tag given), a node taken
    // out with the nodes below it, a node given another key and text.
    QModelIndex insertRoot(int row, const QString& key, const QString& text);
    void remove(const QModelIndex& node);
    void setLabel(const QModelIndex& node, const QString& key, const QString& text);

Q_SIGNALS:
    void keyMoved(const QModelIndex& index);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    NodeModel* m_model;
};

namespace NAVIGATE {

enum NodeRole { KeyRole = Qt::UserRole, TagRole = Qt::UserRole + 1 };

QString Node_Key(const QModelIndex& node);
QString Node_Tag(const QModelIndex& node);

// Every node of the tree, parents before their children.
QList<QModelIndex> Tree_Nodes(const NavigateTree* tree);

// The first node in adding order whose key ends in `value` (Key_Has_Suffix); an
// invalid index when none does.
QModelIndex Find_Node_Key_Suffix(const NavigateTree* tree, const QString& value, int length);

// The number of registrations a registration tree lists: its nodes without
// children, the closing "..." node left out.
int Count_Registrations(const NavigateTree* tree);

// True for a group node: one with children.
bool Has_Children(const QModelIndex& node);

// True for the node that closes a flat list.
bool Is_Closing_Node(const QModelIndex& node);

// True when the list's current node stands for a registration.
bool Registration_Selected(const NavigateTree* list);

} // namespace NAVIGATE
