#pragma once

#include "shell/ModalDialog.h"

class NumberPickerPanel;
class QProgressBar;

// The dialog "数据删除": chosen overlay registrations deleted from the working
// database, each from its six tables. Widgets by object name: the picker
// (NumberPickerPanel), CommandDelete "删除", CommandOut "退出", PBar. Its status
// text stays after it closes, and it presses no toolbar button.
class DataDelete : public ModalDialog
{
    Q_OBJECT
public:
    explicit DataDelete(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Load_Number_List();
    void CommandDelete_Click();

    NumberPickerPanel* m_picker = nullptr;
    QProgressBar* m_bar = nullptr;
};
