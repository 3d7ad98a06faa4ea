#pragma once

#include "shell/ModalDialog.h"

#include <array>

class QCheckBox;
class QComboBox;
class QPushButton;

// The print dialog "打印登记表单": prints the chosen pages of the registration the
// entry window shows, on the chosen printer or into a PDF file. It stays open after
// printing.
class FrmPrintSelect : public ModalDialog
{
    Q_OBJECT
public:
    explicit FrmPrintSelect(QWidget* parent = nullptr);

    void Check1_Click(int index);
    void Check2_Click();
    void Command1_Click(int index);

private:
    std::array<QCheckBox*, 4> m_check1{};
    QCheckBox* m_check2 = nullptr;
    QComboBox* m_printer = nullptr;
    std::array<QPushButton*, 2> m_command1{};
};
