#pragma once

#include "shell/ModalDialog.h"

class NumberPickerPanel;
class QLineEdit;
class QProgressBar;
class QPushButton;

// The dialog "数据导出": chosen overlay registrations into a new database file made
// from the template. Widgets by object name: Text1 (target path), Command3
// ("..."), the picker (NumberPickerPanel), Command2_0 "导出", Command2_1 "退出",
// PBar.
class DataExport : public ModalDialog
{
    Q_OBJECT
public:
    explicit DataExport(QWidget* parent = nullptr);

    // The default target: the program folder, "导出数据", today as YYYY年M月D日.mdb.
    static QString defaultTarget(const QString& programDir);

private:
    void Load_Number_List();
    void Command3_Click();
    void Command2_Click(int index);

    QLineEdit* m_text1 = nullptr;
    NumberPickerPanel* m_picker = nullptr;
    QProgressBar* m_bar = nullptr;
};
