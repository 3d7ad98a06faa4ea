#pragma once

#include "entry/RegionPickerTree.h"

#include <QSqlDatabase>
#include <QString>

// The mineral-code picker: a drop-down tree over the mineral dictionary cb06, for
// any window that lets the clerk choose a mineral (the row list window, the query
// dialog). The host fills the top level once with Load_Mineral_Tree(), shows the
// tree where it wants it, and handles nodeClicked() (a click, or Enter on the node
// under the cursor) and, when it wants, keyMoved(); the picker loads a category's
// minerals and a mineral's statistics objects on their first expansion, and hides
// itself on a double click and when it loses the focus.
//
// Node keys (Qt::UserRole of column 0): "A" the root, "B" + category code, "C" +
// mineral code, "D" + mineral code + statistics object. A category's placeholder
// child reads "NULL", a mineral's "JSDX" until the node is first expanded.
//
// Hosts read a clicked node with choiceOf() (a mineral with its statistics object,
// as the row list window takes it) or mineralCodeOf() (the mineral code alone, as
// the query dialog takes it).
class MineralPicker : public PickerTreeView
{
    Q_OBJECT
public:
    explicit MineralPicker(QWidget* parent = nullptr);

    // The connection whose cb06 the picker reads (the shared connection by default).
    void setDatabase(const QSqlDatabase& db) { m_db = db; }

    // Removes every node and adds the root and the categories; processes pending
    // window events once per category.
    void Load_Mineral_Tree();

    static QString keyOf(const QTreeWidgetItem* node);

    // A leaf below the root: a mineral without statistics objects (object 0, its
    // object text empty) or a statistics object with its mineral.
    struct Choice
    {
        bool valid = false;
        bool fromObject = false; // the node is a statistics object
        int mineral = 0;
        int object = 0;
        QString mineralText;
        QString objectText;
    };
    static Choice choiceOf(const QTreeWidgetItem* node);
    // The mineral code of a mineral node or of a statistics-object node's mineral;
    // 0 for the root and categories.
    static int mineralCodeOf(const QTreeWidgetItem* node);

Q_SIGNALS:
    // A node was clicked; the host decides what the click means.
    void nodeClicked(QTreeWidgetItem* node);

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    void TreeView1_Expand(QTreeWidgetItem* node);
    QTreeWidgetItem* addNode(QTreeWidgetItem* parent, const QString& key, const QString& text);
    QSqlDatabase database() const;

    QSqlDatabase m_db;
};
