#pragma once

#include "shell/ModalDialog.h"

class QCheckBox;

// The duplicate prompt "数据导入提示": Prompt_Msg with the buttons Command1_0 "覆盖",
// Command1_1 "不导入" and Command1_2 "取消" and the check box Check1
// "导入过程中不再提示". A button writes its answer into Prompt_Answer (0 or 1
// overwrite, 2 or 3 leave out, 1 and 3 with the box ticked, 4 stop) and closes the
// dialog; closing it by its close box means stop (4) as well.
class FrmMsgbox : public ModalDialog
{
    Q_OBJECT
public:
    explicit FrmMsgbox(QWidget* parent = nullptr);

    // Shows the prompt modally with `message` and answers what it set.
    static int ask(const QString& message, QWidget* parent = nullptr);

    void done(int result) override;

private:
    void Command1_Click(int index);

    QCheckBox* m_check1 = nullptr;
    bool m_answered = false;
};
