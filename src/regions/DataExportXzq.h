#pragma once

#include "shell/ModalDialog.h"

class QLineEdit;
class QProgressBar;
class RegionPanel;

// The dialog "行政区数据导出": the registrations of one region, or of all, of the
// overlay kind or of all four kinds, into a new database file. Widgets by object
// name: the region controls of RegionPanel (Frame1), Text1 (target path) and
// Command3 "..." in Frame2, Command2_0 "导出", Command2_1 "退出", PBar.
class DataExportXzq : public ModalDialog
{
    Q_OBJECT
public:
    explicit DataExportXzq(QWidget* parent = nullptr);

private:
    void Load_Region_Tree();
    void Command3_Click();
    void Command2_Click(int index);

    RegionPanel* m_region = nullptr;
    QLineEdit* m_text1 = nullptr;
    QProgressBar* m_bar = nullptr;
};
