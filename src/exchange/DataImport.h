#pragma once

#include "shell/ModalDialog.h"

class NumberPickerPanel;
class QCheckBox;
class QLineEdit;
class QProgressBar;

// The dialog "数据导入": chosen registrations of another registration database
// appended to the working one, after a backup, with clashing numbers renumbered.
// Widgets by object name: Text1 (file path; Enter lists its numbers), Command4
// ("..."), the picker (Frame2), Check1 "全部登记号", Command2_0 "导入",
// Command2_1 "退出", PBar.
class DataImport : public ModalDialog
{
    Q_OBJECT
public:
    explicit DataImport(QWidget* parent = nullptr);

private:
    void Command4_Click();
    void Text1_KeyDown();
    void Check1_Click();
    void Command2_Click(int index);
    // Checks a chosen file and lists its numbers; false when it is refused.
    bool acceptAndList(const QString& name);
    void Load_Source_Numbers();
    void runImport();

    QLineEdit* m_text1 = nullptr;
    QCheckBox* m_check1 = nullptr;
    NumberPickerPanel* m_picker = nullptr;
    QProgressBar* m_bar = nullptr;
    QString m_source; // the accepted file whose numbers the lists show; empty: none
};
