#pragma once

#include "shell/ModalDialog.h"

class QComboBox;
class QLineEdit;
class QRadioButton;

// The dialog "数据修改": one region code replaced by another in 行政区代码 of the
// kind tables. Widgets by object name: Combo1 (the field, "行政区代码"),
// txtReplaced (old code), txtReplace (new code), Option1_0 "仅压覆登记",
// Option1_1 "查明、占用、停办、压覆全部登记", Command1_0 "确定", Command1_1 "退出".
// Once the field is chosen, the boxes take six characters and digits only,
// however they come.
class DataModification : public ModalDialog
{
    Q_OBJECT
public:
    explicit DataModification(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Combo1_Click();
    void Command1_Click(int index);
    bool fieldChosen() const;

    QComboBox* m_combo1 = nullptr;
    QLineEdit* m_replaced = nullptr;
    QLineEdit* m_replace = nullptr;
    QRadioButton* m_option[2]{};
    // A key went down in a box, or the focus came into it by Tab: its release
    // there warns. The release of the key that closed the warning does not.
    bool m_keyInBox = false;
};
