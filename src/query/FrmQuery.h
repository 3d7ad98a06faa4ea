#pragma once

#include "QueryFilter.h"
#include "shell/ModalDialog.h"

#include <array>

class MineralPicker;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace query {

// The query dialog "查询条件设置": eight boxes restrict the entry window's
// registration list. 确定 checks the boxes and sets the program's filter, 取消
// empties it; either closes the dialog. The region and mineral codes can be typed
// or picked from the two drop-down trees. The boxes open with the texts of the last
// accepted query.
class FrmQuery : public ModalDialog
{
    Q_OBJECT
public:
    explicit FrmQuery(QWidget* parent = nullptr);

    // Registers the dialog as the entry window's query dialog.
    static void Register();

    void Command2_Click(int index);
    void Command1_Click(); // drops the mineral picker under the 矿种 box
    void Command3_Click(); // drops the region picker above the region box

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void Form_Load();
    QueryTexts texts() const;
    void TreeView1_NodeClick(QTreeWidgetItem* node);
    void TreeView2_NodeClick(QTreeWidgetItem* node);
    void TreeView2_Expand(QTreeWidgetItem* node);
    void placeTree(QWidget* tree, QLineEdit* box, int widthTwips, bool below);

    QGroupBox* m_frame = nullptr;
    std::array<QLineEdit*, BoxCount> m_text1{};
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command3 = nullptr;
    std::array<QPushButton*, 2> m_command2{};
    MineralPicker* m_treeView1 = nullptr;
    QTreeWidget* m_treeView2 = nullptr;
};

} // namespace query
