#pragma once

#include "EntryGeometry.h"

#include <QFont>
#include <QTreeWidget>
#include <QWidget>

class QComboBox;
class QPushButton;

// A navigation tree that tells when the keyboard moved its selection, so that the
// keys choose a node as a click does.
class NavigateTreeWidget : public QTreeWidget
{
    Q_OBJECT
public:
    using QTreeWidget::QTreeWidget;

Q_SIGNALS:
    void keyMoved(QTreeWidgetItem* item);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// The navigation panel Pic3 of the entry window: the mode box cobNavigate, the
// region tree TvDataList, the registration tree TvmDataList and the query button
// Command6. The entry window wires their events and decides the layout; the
// builders of NavigateWindow fill the trees.
class NavigatePanel : public QWidget
{
    Q_OBJECT
public:
    explicit NavigatePanel(QWidget* parent = nullptr);

    // The four texts of the mode box, in its order.
    static const QStringList& modes();

    QComboBox* cobNavigate() const { return m_cobNavigate; }
    QTreeWidget* TvDataList() const { return m_tvDataList; }
    QTreeWidget* TvmDataList() const { return m_tvmDataList; }
    QPushButton* Command6() const { return m_command6; }

    // Places the panel and its parts as the window's layout says (twips).
    void place(const EntryGeometry::Layout& layout);

private:
    QComboBox* m_cobNavigate = nullptr;
    NavigateTreeWidget* m_tvDataList = nullptr;
    NavigateTreeWidget* m_tvmDataList = nullptr;
    QPushButton* m_command6 = nullptr;
    QFont m_listFont; // the registration list's own font, before it is fitted
};
