#pragma once

#include "shell/ModalDialog.h"

class QProgressBar;
class QPushButton;

// The clean-up of wrong ore types and grades "清理错误的矿石类型和品级" on the
// working database.
class FrmClearLX_PJ : public ModalDialog
{
    Q_OBJECT
public:
    explicit FrmClearLX_PJ(QWidget* parent = nullptr);

    void Command1_Click(int index);

protected:
    void reject() override;

private:
    void Form_Load();

    QProgressBar* ProgressBar1 = nullptr;
    QPushButton* Command1[2] = {nullptr, nullptr};
    bool m_running = false;
};
