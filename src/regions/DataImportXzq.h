#pragma once

#include "shell/ModalDialog.h"

#include <QStringList>

class QLineEdit;
class QProgressBar;
class RegionPanel;

// The dialog "行政区数据导入": the working database's registrations of one region,
// or of all, of the overlay kind or of all four kinds, replaced by those of another
// registration database, after a backup of the working database. Widgets by object
// name: Text1 (the import file) and Command4 "..." in Frame1_0, the region controls
// of RegionPanel (Frame1_1; the tree lists the import file's regions), Command2_0
// "导入", Command2_1 "退出", PBar.
class DataImportXzq : public ModalDialog
{
    Q_OBJECT
public:
    explicit DataImportXzq(QWidget* parent = nullptr);

    // The prompting import of one table from the accepted import file, asking about
    // numbers already present; no command calls them. Prompt_Import_Table joins a
    // detail table to 压覆. Failures are shown.
    void Prompt_Import_Table(const QString& table);
    void Prompt_Import_Kind_Table(const QString& table, const QString& kind);

private:
    void Command4_Click();
    void Command1_Click();
    void Option1_Click();
    void Command2_Click(int index);
    // Fills the tree with the regions of the accepted file; none without one.
    void Load_Region_Tree();
    // The file in the path box, opened and checked when it is not the accepted
    // one (whose tables are checked again for the kinds chosen); false when it is
    // refused (each refusal told). `pathAccepted`: the caller has checked the path
    // itself (exchange::acceptImportPath) already.
    bool openImportFile(bool pathAccepted);
    // The file in the path box checked (openImportFile), and the tree filled with
    // its regions, or emptied when it is refused.
    void checkAndLoadTree(bool pathAccepted);

    QLineEdit* m_text1 = nullptr;
    RegionPanel* m_region = nullptr;
    QProgressBar* m_bar = nullptr;
    QString m_source;                 // the accepted import file; empty: none
    QStringList m_skipped{QString()}; // Skipped_DJH
};
