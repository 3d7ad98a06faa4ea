#include "RegionPickerTree.h"

#include "registration/record/RegionPickerNodes.h"
#include "platform/ErrorBox.h"

#include <QCoreApplication>
#include <QHash>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QPointer>
#include <QTreeWidget>

void PickerTreeView::keyPressEvent(QKeyEvent* event)
{
    // A window that takes no Enter here leaves it to its default button.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && isSignalConnected(QMetaMethod::fromSignal(&PickerTreeView::entered))) {
        if (QTreeWidgetItem* node = currentItem()) Q_EMIT entered(node);
        event->accept();
        return;
    }
    QTreeWidgetItem* before = currentItem();
    QTreeWidget::keyPressEvent(event);
    QTreeWidgetItem* now = currentItem();
    if (now && now != before) Q_EMIT keyMoved(now);
}

namespace RegionPickerTree {

namespace {
constexpr int KeyRole = Qt::UserRole;
} // namespace

QString keyOf(const QTreeWidgetItem* node)
{
    return node ? node->data(0, KeyRole).toString() : QString();
}

void Fill(QTreeWidget* tree, const QSqlDatabase& db, int provinceCode)
{
    QPointer<QTreeWidget> alive = tree;
    tree->clear();
    QHash<QString, QTreeWidgetItem*> byKey;
    const Result<RegionPickerNodes::Nodes> nodes = RegionPickerNodes::Load_Region_Picker(db, provinceCode);
    if (!nodes) return ErrorBox::show(nodes.error(), tree->window());
    for (const RegionPickerNodes::Node& n : *nodes) {
        QTreeWidgetItem* parentItem = byKey.value(n.parentKey);
        auto* item = parentItem ? new QTreeWidgetItem(parentItem) : new QTreeWidgetItem(tree);
        item->setText(0, n.text);
        item->setData(0, KeyRole, n.key);
        if (!byKey.contains(n.key)) byKey.insert(n.key, item);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (!alive) return; // the window closed meanwhile
    }
}

void Expand(QTreeWidgetItem* node, const QSqlDatabase& db)
{
    if (!node || node->childCount() == 0 || node->child(0)->text(0) != RegionPickerNodes::Placeholder) return;
    const Result<RegionPickerNodes::Nodes> counties = RegionPickerNodes::Load_Counties(db, keyOf(node));
    if (!counties) return ErrorBox::show(counties.error(), node->treeWidget()->window());
    delete node->takeChild(0);
    for (const RegionPickerNodes::Node& n : *counties) {
        auto* item = new QTreeWidgetItem(node);
        item->setText(0, n.text);
        item->setData(0, KeyRole, n.key);
    }
}

} // namespace RegionPickerTree
