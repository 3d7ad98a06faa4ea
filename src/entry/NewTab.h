#pragma once

#include "EntryGeometry.h"
#include "NavigatePanel.h"
#include "ReserveTable.h"
#include "coords/AreaMapSource.h"
#include "registration/form/FormControl.h"
#include "registration/record/EntryValues.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <array>

class AreaFlex;
class CommandTargets;
class FieldBox;
class KnPage;
class PickerTreeView;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QMdiSubWindow;
class QPushButton;
class QScrollBar;
class QTabBar;
class QTableWidget;
class NavigateTree;
class QModelIndex;

// The registration entry window: a child window of the main window in which a
// clerk views and types one overlay registration. On the left the navigation panel
// Pic3 (mode box, region and registration trees, query button), then the splitter
// bar TEMPPIC, the tab strip Tab1 and under it the viewport Pic1 with its scroll
// bars, showing one of the four page pictures KNPIC 0 to 3 laid out like the
// printed form. Every control of the pages comes from the form layout.
//
// Lengths are twips (1/1440 inch) as the form measures them.
//
// The window has one instance at a time; other windows reach it through instance().
// Its controls are private: the window's own parts and its widget tests reach them
// through NewTabControls.
class NewTab : public QWidget, public AreaMapSource
{
    Q_OBJECT
public:
    using Array = FormControl::Array;

    explicit NewTab(QWidget* parent = nullptr);
    ~NewTab() override;

    // The open entry window, or nullptr.
    static NewTab* instance();
    // Makes the window the main window's target "NewTab" (its "NEW" command and
    // the menu item that opens it) and hands the main window the repaint of the
    // sketch map.
    static void Register(CommandTargets& targets);

    // The window's caption, "压覆矿产资源储量登记书".
    static QString caption();
    // The sketch-map rectangle of the coordinate page, "(left,top)-(right,bottom)".
    QString Tag() const;

    // ---- Form variables -------------------------------------------------------
    int Cur_Page() const { return m_curPage; }
    bool Tab_Switching() const { return m_tabSwitching; }
    bool Split_Dragging() const { return m_splitDragging; }
    // Position of a page picture inside the viewport, in twips.
    QPoint pagePosition(int page) const { return m_pagePos.at(page); }
    // Width of the navigation panel Pic3, in twips.
    int panelWidth() const { return m_panelWidth; }
    // The last layout of the window's regions, in twips.
    const EntryGeometry::Layout& currentLayout() const { return m_layout; }

    // ---- Events and operations --------------------------------------------------
    void Form_Activate();
    void Form_Resize();
    // Returns true when closing is cancelled (the window stays open).
    bool Form_Unload();

    void TEMPPIC_MouseDown();
    void TEMPPIC_MouseMove(int x);
    void TEMPPIC_MouseUp(int x);
    void Form_MouseMove(int x);

    void Tab1_Click();
    void VScroll1_Change();
    void HScroll1_Change();
    // Repaints page `index`; page 2 draws the sketch map.
    void KnPic_Paint(int index);

    // Empties every field, the tick groups, the coordinate grids, the category list
    // and the reserve table.
    void clear_data();
    // Empties the pages for data taken over from another registration. The
    // registration loaded stays the one a save rewrites (the take-over keeps its
    // number); what the load put in the boxes no longer counts as unedited.
    void clearForTakeOver();
    // Lays out the header and body grids of the reserve table; the body is left empty.
    void Init_Table_Grids();
    // What the window holds, for the record layer: the texts of the bound boxes, the
    // two coordinate grids (the window's own, which the checks may change) and their
    // Check1 boxes.
    EntryValues values();
    // Shows the texts of `values` in the bound boxes, whole as a load shows them
    // (every box of the four arrays; the grids and tick groups are left alone).
    void showValues(const EntryValues& values);
    // The category box of the first page and the tick states of a tick group
    // ("Check1", "Check11", "Check12"; 0 unticked, 1 ticked, 2 partly), for
    // printing what the window shows.
    QString category() const;
    QList<int> ticks(const QString& group) const;
    // Lays out coordinate grid `index` and fills it from `lines` (the line form of
    // a stored coordinate text; empty leaves headings and one blank row).
    void Init_Flex(int index, const QString& lines);
    // The registration now stored under `djh` is the one the window holds.
    void savedAs(const QString& djh);
    // Fills the registration list (the navigation builds it).
    void Get_Data_All();

    // ---- Navigation and loading (NewTabNavigation.cpp) ----------------------------
    // Rebuilds the trees of the mode shown and selects and loads Cur_DJH in them.
    void cobNavigate_Click();
    // Selects the first node whose key ends in `djh` and loads it as a click does.
    void positionDJH(const QString& djh, NavigateTree* tree);
    // Selects the county of registration `djh` and builds that county's list.
    void positionXZQ(const QString& djh, NavigateTree* tree);
    // The unfiltered list of every overlay registration, closed by "...".
    void navigate_djh();
    // Rebuilds the trees of the mode shown without selecting anything.
    void Data_All_Refresh();
    void TvmDataList_NodeClick(const QModelIndex& node);
    void TvDataList_NodeClick(const QModelIndex& node);
    void TvmDataList_DblClick();
    // The query button: empties the filter, shows the query dialog, rebuilds the
    // trees and clicks the first node.
    void Command6_Click();
    // Fills the reserve table with the quality and reserve rows of Cur_DJH.
    void view_zycl();

    // AreaMapSource: the coordinate grids and the map rectangle, for the sketch map.
    const CoordGrid* mapGrid(int index) const override;
    QString mapRectText() const override { return Tag(); }

Q_SIGNALS:
    // The sketch map of the coordinate page was drawn.
    void areaMapDrawn();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The controls, for the window's own parts and its widget tests through
    // NewTabControls (other subsystems reach a registration through
    // src/registration, never through these).
    friend class NewTabControls;

    QWidget* Pic3() const { return m_pic3; }
    QComboBox* cobNavigate() const { return m_cobNavigate; }
    NavigateTree* TvDataList() const { return m_tvDataList; }
    NavigateTree* TvmDataList() const { return m_tvmDataList; }
    QPushButton* Command6() const { return m_command6; }
    QWidget* TEMPPIC() const { return m_tempPic; }
    QTabBar* Tab1() const { return m_tab1; }
    QWidget* Pic1() const { return m_pic1; }
    QScrollBar* VScroll1() const { return m_vScroll1; }
    QScrollBar* HScroll1() const { return m_hScroll1; }
    KnPage* KNPIC(int page) const { return m_pages.at(page); }

    // Field boxes of the four bound arrays.
    FieldBox* Kn1Data(int index) const { return box(Array::Kn1Data, index); }
    FieldBox* Kn2Data(int index) const { return box(Array::Kn2Data, index); }
    FieldBox* Kn3Data(int index) const { return box(Array::Kn3Data, index); }
    FieldBox* Kn6Data(int index) const { return box(Array::Kn6Data, index); }
    FieldBox* box(Array array, int index) const;
    const QList<FieldBox*>& boxes(Array array) const;
    // The boxes bound to a column of a table, by index (dates: year, month, day).
    QList<FieldBox*> fieldBoxes(const QString& table, const QString& column) const;

    QComboBox* Combo5(int index = 0) const { return m_combo5.at(index); }
    const QList<QComboBox*>& Combo5Array() const { return m_combo5; }
    QCheckBox* Check1(int index) const { return m_check1.at(index); }
    QCheckBox* Check11(int index) const { return m_check11.at(index); }
    QCheckBox* Check12(int index) const { return m_check12.at(index); }
    const QList<QCheckBox*>& Check1Array() const { return m_check1; }
    const QList<QCheckBox*>& Check11Array() const { return m_check11; }
    const QList<QCheckBox*>& Check12Array() const { return m_check12; }
    QPushButton* Command2() const { return m_command2; }
    QPushButton* Command7() const { return m_command7; }
    PickerTreeView* TreeView2() const { return m_treeView2; }
    QWidget* Frame2() const { return m_frame2; }
    AreaFlex* Area_Flex(int index) const { return m_areaFlex.at(index); }
    QLineEdit* txtEdit(int index) const;
    QTableWidget* THFLEX() const { return m_reserveTable.header(); }
    QTableWidget* TBFLEX() const { return m_reserveTable.body(); }

    // The widget built for a control of the form layout; nullptr for what the page
    // paints (labels, lines, shapes, the map area).
    QWidget* control(const QString& name, int index = -1) const;

    void Form_Load();
    void connectNavigation();
    // Loads the registration of the list's selected node into the pages.
    void view_djh();
    // Status panel 3: the number of registrations the list holds.
    void showListCount();
    void buildNavigation();
    void buildPages();
    void placeWindow();
    void Show_Page();
    void movePage(int page);
    void drawAreaMap(KnPage& page);
    void Check11_Click(int index);
    void Check12_Click(int index);
    void Check_Group_To_Field(const QList<QCheckBox*>& group, int index, int fieldIndex);
    QMdiSubWindow* subWindow() const;
    QSize outerSizeTwips() const;

    NavigatePanel* m_pic3 = nullptr;
    QComboBox* m_cobNavigate = nullptr;
    NavigateTree* m_tvDataList = nullptr;
    NavigateTree* m_tvmDataList = nullptr;
    QPushButton* m_command6 = nullptr;
    QWidget* m_tempPic = nullptr;
    QTabBar* m_tab1 = nullptr;
    QWidget* m_pic1 = nullptr;
    QScrollBar* m_vScroll1 = nullptr;
    QScrollBar* m_hScroll1 = nullptr;
    QList<KnPage*> m_pages;

    std::array<QList<FieldBox*>, 5> m_boxes; // by Array
    QList<QComboBox*> m_combo5;
    QList<QCheckBox*> m_check1;
    QList<QCheckBox*> m_check11;
    QList<QCheckBox*> m_check12;
    QPushButton* m_command2 = nullptr;
    QPushButton* m_command7 = nullptr;
    PickerTreeView* m_treeView2 = nullptr;
    QWidget* m_frame2 = nullptr;
    QList<AreaFlex*> m_areaFlex;
    ReserveTable m_reserveTable;
    QHash<QString, QWidget*> m_controls; // "name(index)" -> widget

    int m_curPage = 0;
    bool m_tabSwitching = false;
    bool m_splitDragging = false;
    std::array<QPoint, 4> m_pagePos;
    int m_panelWidth = EntryGeometry::PanelDesignWidth;
    int m_splitterLeft = 0; // TEMPPIC's left while it is dragged
    EntryGeometry::Layout m_layout;
    bool m_placed = false;
    bool m_unloaded = false;
    EntryValues::Loaded m_loaded; // what view_djh loaded; cleared with the pages
};
