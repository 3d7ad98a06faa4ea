#pragma once

#include "NewTab.h"
#include "NavigateTree.h"
#include "RegionPickerTree.h"

// The controls of an entry window, for the window's own parts (editing, record,
// navigation, wheel) and its widget tests. NewTab keeps them private; nothing outside
// src/entry and its tests includes this header.
class NewTabControls
{
public:
    using Array = NewTab::Array;

    explicit NewTabControls(const NewTab& window) : m_w(window) {}

    QWidget* Pic3() const { return m_w.Pic3(); }
    QComboBox* cobNavigate() const { return m_w.cobNavigate(); }
    NavigateTree* TvDataList() const { return m_w.TvDataList(); }
    NavigateTree* TvmDataList() const { return m_w.TvmDataList(); }
    QPushButton* Command6() const { return m_w.Command6(); }
    QWidget* TEMPPIC() const { return m_w.TEMPPIC(); }
    QTabBar* Tab1() const { return m_w.Tab1(); }
    QWidget* Pic1() const { return m_w.Pic1(); }
    QScrollBar* VScroll1() const { return m_w.VScroll1(); }
    QScrollBar* HScroll1() const { return m_w.HScroll1(); }
    KnPage* KNPIC(int page) const { return m_w.KNPIC(page); }
    // Field boxes of the four bound arrays.
    FieldBox* Kn1Data(int index) const { return m_w.Kn1Data(index); }
    FieldBox* Kn2Data(int index) const { return m_w.Kn2Data(index); }
    FieldBox* Kn3Data(int index) const { return m_w.Kn3Data(index); }
    FieldBox* Kn6Data(int index) const { return m_w.Kn6Data(index); }
    FieldBox* box(Array array, int index) const { return m_w.box(array, index); }
    const QList<FieldBox*>& boxes(Array array) const { return m_w.boxes(array); }
    // The boxes bound to a column of a table, by index (dates: year, month, day).
    QList<FieldBox*> fieldBoxes(const QString& table, const QString& column) const
    {
        return m_w.fieldBoxes(table, column);
    }
    QComboBox* Combo5(int index = 0) const { return m_w.Combo5(index); }
    const QList<QComboBox*>& Combo5Array() const { return m_w.Combo5Array(); }
    QCheckBox* Check1(int index) const { return m_w.Check1(index); }
    QCheckBox* Check11(int index) const { return m_w.Check11(index); }
    QCheckBox* Check12(int index) const { return m_w.Check12(index); }
    const QList<QCheckBox*>& Check1Array() const { return m_w.Check1Array(); }
    const QList<QCheckBox*>& Check11Array() const { return m_w.Check11Array(); }
    const QList<QCheckBox*>& Check12Array() const { return m_w.Check12Array(); }
    QPushButton* Command2() const { return m_w.Command2(); }
    QPushButton* Command7() const { return m_w.Command7(); }
    PickerTreeView* TreeView2() const { return m_w.TreeView2(); }
    QWidget* Frame2() const { return m_w.Frame2(); }
    AreaFlex* Area_Flex(int index) const { return m_w.Area_Flex(index); }
    QLineEdit* txtEdit(int index) const { return m_w.txtEdit(index); }
    QTableWidget* THFLEX() const { return m_w.THFLEX(); }
    QTableWidget* TBFLEX() const { return m_w.TBFLEX(); }
    // The widget built for a control of the form layout; nullptr for what the page
    // paints (labels, lines, shapes, the map area).
    QWidget* control(const QString& name, int index = -1) const { return m_w.control(name, index); }

private:
    const NewTab& m_w;
};

inline NewTabControls controlsOf(const NewTab& window)
{
    return NewTabControls(window);
}
inline NewTabControls controlsOf(const NewTab* window)
{
    return NewTabControls(*window);
}
