#pragma once

#include "DetailEditor.h"
#include "ReserveEditing.h"

#include <QList>

class QGroupBox;
class QLineEdit;
class QListWidget;
class QToolButton;

namespace editors {

// The reserve editor "资源储量输入" of one ore row: seven rows of the groups 储量,
// 基础储量 and 资源量 (Kn5Data, box = 9 x row + column), each a code chosen from
// its column's list of codes not used yet, a metal and an ore amount; which amounts
// are open follows the units of the mineral. Saving first compares the figures
// with the reserve-statistics database and checks the reserve pairs.
class FrmZycl : public DetailEditor
{
    Q_OBJECT
public:
    FrmZycl(QWidget* parent, const HandOver& handOver);

    void Command5_Click();
    void List2_Click(int index);

protected:
    void saveClicked() override;
    void deleteClicked() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void buildControls();
    void setFigureFont();
    void Load_Reserves();
    void Set_Amount_Boxes();
    void Kn5Data_Change(int index);
    void Kn5Data_GotFocus(int index);
    ReserveEditing::Boxes boxes() const;
    void hideLists();

    QGroupBox* m_frame = nullptr;        // Frame6
    QList<QLineEdit*> m_boxes;           // Kn5Data
    QToolButton* m_dropButton = nullptr; // Command5
    QListWidget* m_lists[3] = {};        // List2
    bool m_filling = false;              // Zycl_Filling
    int m_dropBox = -1;                  // the code box the button sits on
    int m_openList = 0;                  // Open_List_Index
    int m_storedRows = 0;
};

} // namespace editors
