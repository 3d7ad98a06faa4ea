#pragma once

#include "shell/ModalDialog.h"

#include <array>

class QLineEdit;
class QProgressBar;
class QRadioButton;

// The dialog "全部导入": every registration of another registration database
// appended to the working one with its numbers kept, after a backup; repeated
// registrations are reported and skipped. Widgets by object name: Text1, Command4
// ("..."), Option1_0 "仅压覆登记", Option1_1 "查明、占用、停办、压覆全部登记",
// Command2_0 "导入", Command2_1 "退出", PBar.
class DataImportAll : public ModalDialog
{
    Q_OBJECT
public:
    explicit DataImportAll(QWidget* parent = nullptr);

protected:
    void done(int result) override;

private:
    void Command4_Click();
    void Command2_Click(int index);
    void Start_Append();

    QLineEdit* m_text1 = nullptr;
    std::array<QRadioButton*, 2> m_option1{};
    QProgressBar* m_bar = nullptr;
    QString m_source; // the accepted source file; empty: none
};
