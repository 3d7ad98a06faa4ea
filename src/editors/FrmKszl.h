#pragma once

#include "DetailEditor.h"
#include "QualityEditing.h"

#include <QList>

class QCheckBox;
class QLabel;
class QListWidget;
class QToolButton;

namespace editors {

// The ore-quality editor "矿石质量输入" of one ore row: ten component rows (name,
// value, unit) of its ore type and grade, or, with "平均含量" ticked, the average
// composition of its mineral with descriptions of the ore type and grade. Boxes
// Kn4Data 0 and 1 are the descriptions, 3r - 1, 3r and 3r + 1 name, value and unit
// of row r. Name and unit boxes drop a list of the mineral's quality items (cb04).
class FrmKszl : public DetailEditor
{
    Q_OBJECT
public:
    FrmKszl(QWidget* parent, const HandOver& handOver);

    void Check1_Click();
    void Command2_Click();
    void List1_Click(int index);

protected:
    void saveClicked() override;
    void deleteClicked() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void buildControls();
    void ruleTable();
    void Load_Quality();
    // The key holds more records than the ten rows show: said at loading and at
    // every save, which it refuses.
    void tooManyRecords();
    void Kn4Data_Change(int index);
    void Kn4Data_GotFocus(int index);
    QString boxText(int index) const;
    void setBoxText(int index, const QString& text);
    QualityEditing::Sheet sheet() const;
    bool average() const;
    void hideLists();

    QList<QWidget*> m_boxes; // Kn4Data
    QCheckBox* m_check = nullptr;
    QList<QLabel*> m_descriptionLabels;
    QToolButton* m_dropButton = nullptr; // Command2
    QListWidget* m_lists[2] = {};
    bool m_filling = false; // Kszl_Filling
    int m_dropBox = -1;     // the box the drop button serves
    int m_openedType = 0;   // the ore type and grade the window was opened with
    int m_openedGrade = 0;
    int m_storedRecords = 0; // records of the key at loading
};

} // namespace editors
