#pragma once

#include "registration/navigation/NAVIGATE.h"

#include <QList>
#include <Qt>

class QTreeWidget;
class QTreeWidgetItem;

// The navigation node lists in tree widgets: a node's text is the item's text, its
// key and tag are kept in the item's data.
namespace NAVIGATE {

enum NodeRole { KeyRole = Qt::UserRole, TagRole = Qt::UserRole + 1 };

// Empties the tree and adds the nodes, each under the node of its parent key (at
// the root when that key is empty or unknown). Nothing is selected or expanded.
// Only the roots get items at once; the children of a node get theirs when it is
// expanded or a node below it is looked for (Find_Node_Key_Suffix, Tree_Nodes).
void Fill_Tree(QTreeWidget* tree, const TreeNodes& nodes);

// Adds one root node.
QTreeWidgetItem* Add_Node(QTreeWidget* tree, const QString& key, const QString& text, const QString& tag);

QString Node_Key(const QTreeWidgetItem* item);
QString Node_Tag(const QTreeWidgetItem* item);

// Every node of the tree, each given its item, parents before their children.
QList<QTreeWidgetItem*> Tree_Nodes(const QTreeWidget* tree);

// The first node in adding order whose key ends in `value` (Key_Has_Suffix);
// nullptr when none does.
QTreeWidgetItem* Find_Node_Key_Suffix(const QTreeWidget* tree, const QString& value, int length);

// Exchanges the text and the tag of every node.
void Swap_Tree_Labels(QTreeWidget* tree);

// The number of registrations a registration tree lists: its nodes without
// children, the closing "..." node left out.
int Count_Registrations(const QTreeWidget* tree);

// True for a group node: one with children, given their items or not yet.
bool Has_Children(const QTreeWidgetItem* item);

// True for the node that closes a flat list.
bool Is_Closing_Node(const QTreeWidgetItem* item);

// True when the list's current node stands for a registration.
bool Registration_Selected(const QTreeWidget* list);

} // namespace NAVIGATE
