#pragma once

#include "HandOver.h"
#include "RowGrid.h"
#include "shell/ModalDialog.h"

#include <array>

class MineralPicker;
class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;
class QToolButton;
class QTreeWidgetItem;

namespace editors {

// The mineral and ore row list window "压覆矿产资源储量编辑": one grid row per ore
// row key of the registration shown in the entry window. The clerk builds a row
// cell by cell (the mineral in the mineral tree, the combination, ore type and grade
// from pick lists) and opens the quality and reserve editors from its last two
// cells; the buttons delete and insert rows and close the window.
class FrmEdit : public ModalDialog
{
    Q_OBJECT
public:
    explicit FrmEdit(QWidget* parent = nullptr);
    ~FrmEdit() override;

    // What the grid shows and the codes behind it.
    const RowGrid& rows() const { return m_grid; }

    // ---- Events -------------------------------------------------------------------
    // A click on grid cell (row, column) of the grid's numbering (row 1 is the first
    // ore row).
    void MSFlexGrid1_Click(int row, int column);
    void MSFlexGrid1_Scroll();
    // The cell button on the current cell.
    void Command1_Click();
    void List1_Click(int index);
    void TreeView1_NodeClick(QTreeWidgetItem* node);
    // 0 delete, 1 close, 2 insert.
    void Command2_Click(int index);

protected:
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void Form_Unload();
    void buildControls();
    void showGrid();
    void hidePopups();
    void placePopup(QWidget* popup, int widthTwips, int heightTwips);
    bool loadRows();
    void handOver(int row);
    void openQualityEditor(int row);
    void openReserveEditor(int row);
    void setRowCommandsEnabled(bool enabled);

    RowGrid m_grid;
    HandOver m_handOver;
    int m_row = 0;
    int m_column = 0;

    QTableWidget* m_table = nullptr;          // MSFlexGrid1
    QToolButton* m_cellButton = nullptr;      // Command1
    MineralPicker* m_tree = nullptr;          // TreeView1
    std::array<QListWidget*, 3> m_lists{};    // List1
    std::array<QPushButton*, 3> m_commands{}; // Command2
};

} // namespace editors
