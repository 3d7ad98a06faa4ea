#pragma once

#include "shell/ModalDialog.h"

class QCheckBox;
class QProgressBar;
class QPushButton;

// The second data check "登记库DJK数据检查": copies the working database's
// registration tables into the work database 临时.mdb, runs the ticked groups of
// checks there and writes the findings into the report beside the working
// database. It touches neither the toolbar nor the status bar.
class FrmCheckData : public ModalDialog
{
    Q_OBJECT
public:
    explicit FrmCheckData(QWidget* parent = nullptr);

    void Command2_Click(int index);

protected:
    void reject() override;

private:
    void Form_Load();
    void start();

    QCheckBox* Check1 = nullptr;
    QCheckBox* Check2 = nullptr;
    QCheckBox* Check3 = nullptr;
    QCheckBox* Check4 = nullptr;
    QPushButton* Command2[3] = {nullptr, nullptr, nullptr};
    QProgressBar* m_progress = nullptr;

    QString m_databaseFile;
    bool m_running = false;
};
