#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QTreeWidget>

class QTreeWidgetItem;

// A drop-down picker tree (regions, minerals) that answers the keys as the mouse:
// moving the selection with the keys tells `keyMoved` (a click picks the node it lands on, and so does a
// key move), Enter tells `entered` with the node under the cursor (a click and a
// double click on it). Without a receiver of `entered`, Enter goes on to the window.
class PickerTreeView : public QTreeWidget
{
    Q_OBJECT
public:
    using QTreeWidget::QTreeWidget;

Q_SIGNALS:
    void keyMoved(QTreeWidgetItem* node);
    void entered(QTreeWidgetItem* node);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// The region picker on a tree control, for every window that drops one down (the
// entry window, the query dialog, the region dialogs): the province and its cities
// first, a city's counties when it is first expanded. A node's key (Qt::UserRole of
// column 0) is its letter and its code.
namespace RegionPickerTree {

QString keyOf(const QTreeWidgetItem* node);

// Empties the tree and adds the province of `provinceCode` and its cities, leaving
// them collapsed; pending window events (not user input) run after each node. A
// region table that cannot be read leaves the tree empty and is shown.
void Fill(QTreeWidget* tree, const QSqlDatabase& db, int provinceCode);

// Loads the counties of a city whose first child is still the placeholder; any
// other node is left as it is. When the counties cannot be read, the city keeps its
// placeholder and the error is shown.
void Expand(QTreeWidgetItem* node, const QSqlDatabase& db);

} // namespace RegionPickerTree
