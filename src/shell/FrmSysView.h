#pragma once

#include "DialogHooks.h"

#include <QDialog>

class QPushButton;
class QRadioButton;

// The display-option dialog: navigation nodes labelled by number or by name.
class FrmSysView : public QDialog
{
    Q_OBJECT
public:
    explicit FrmSysView(QWidget* parent = nullptr);
    ~FrmSysView() override;

    void Command1_Click(int index); // 0 apply and close, 1 close

    QRadioButton* view_num = nullptr;
    QRadioButton* view_name = nullptr;
    QPushButton* Command1[2] = {nullptr, nullptr};

    void done(int result) override;

private:
    void Form_Load();
    void Form_Unload();
    DialogMark m_mark;
};
