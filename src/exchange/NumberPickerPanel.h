#pragma once

#include "NumberPicker.h"

#include <QGroupBox>

#include <array>

class QListWidget;
class QPushButton;

// The frame "登记号选择" with the two lists and the arrow buttons, showing a
// NumberPicker. Widgets are found by object name: List1_0, List1_1, Command1_0 to
// Command1_3, Label1_0, Label1_1.
class NumberPickerPanel : public QGroupBox
{
    Q_OBJECT
public:
    // The lists of overlay numbers, captioned "可选储量登记号：" and "已选储量登记号：".
    NumberPickerPanel(NumberPicker::Variant variant, QWidget* parent);
    // `sourceLabel` and `chosenLabel` caption the two lists.
    NumberPickerPanel(NumberPicker::Variant variant, const QString& sourceLabel, const QString& chosenLabel,
                      QWidget* parent);

    NumberPicker& picker() { return m_picker; }
    const NumberPicker& picker() const { return m_picker; }
    // Fills the source list (the chosen list empties) and shows the buttons.
    void setSource(const QStringList& numbers);
    // The same with numbers as loaded: a failure is shown and leaves the lists empty.
    void loadSource(const Result<QStringList>& numbers);
    // The picker's opening state of the buttons.
    void openState();

private:
    void Command1_Click(int index);
    void List1_Click(int index);
    void List1_DblClick(int index);
    void showList(int index);
    void showButtons();

    NumberPicker m_picker;
    std::array<QListWidget*, 2> m_lists{};
    std::array<QPushButton*, 4> m_buttons{};
    bool m_filling = false;
};
