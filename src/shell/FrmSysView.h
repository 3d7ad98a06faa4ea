#pragma once

#include "ModalDialog.h"

class QPushButton;
class QRadioButton;

// The display-option dialog: navigation nodes labelled by number or by name.
class FrmSysView : public ModalDialog
{
    Q_OBJECT
public:
    explicit FrmSysView(QWidget* parent = nullptr);

    void Command1_Click(int index); // 0 apply and close, 1 close

    QRadioButton* view_num = nullptr;
    QRadioButton* view_name = nullptr;
    QPushButton* Command1[2] = {nullptr, nullptr};

private:
    void Form_Load();
};
