#pragma once

#include "EntryGeometry.h"

#include <QFont>
#include <QWidget>

class NavigateTree;
class QComboBox;
class QPushButton;

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
    NavigateTree* TvDataList() const { return m_tvDataList; }
    NavigateTree* TvmDataList() const { return m_tvmDataList; }
    QPushButton* Command6() const { return m_command6; }

    // Places the panel and its parts as the window's layout says (twips).
    void place(const EntryGeometry::Layout& layout);

private:
    QComboBox* m_cobNavigate = nullptr;
    NavigateTree* m_tvDataList = nullptr;
    NavigateTree* m_tvmDataList = nullptr;
    QPushButton* m_command6 = nullptr;
    QFont m_listFont; // the registration list's own font, before it is fitted
};
