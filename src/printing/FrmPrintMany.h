#pragma once

#include "shell/ModalDialog.h"

#include <array>

class QCheckBox;
class QComboBox;
class QListWidget;
class QProgressBar;
class QPushButton;

// The batch print window "批量打印": the clerk moves registration numbers from the
// list of all overlay registrations (List1) into the list to print (List2), ticks
// the pages, and prints them for each number in list order. It is not modal.
class FrmPrintMany : public ModalDialog
{
    Q_OBJECT
public:
    explicit FrmPrintMany(QWidget* parent = nullptr);

    void Check1_Click(int index);
    void Check2_Click();
    void Check5_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click(int index);

protected:
    // The window stays open while a batch runs: the run goes on between
    // registrations and needs the lists and buttons to the end.
    void reject() override;

private:
    void Form_Load();

    QListWidget* m_list1 = nullptr;
    QListWidget* m_list2 = nullptr;
    std::array<QPushButton*, 4> m_command3{};
    std::array<QCheckBox*, 4> m_check1{};
    QCheckBox* m_check2 = nullptr;
    QCheckBox* m_check3 = nullptr;
    QCheckBox* m_check4 = nullptr;
    QCheckBox* m_check5 = nullptr;
    QComboBox* m_printer = nullptr;
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command2 = nullptr;
    QProgressBar* m_progress = nullptr;
    bool m_running = false;
};
