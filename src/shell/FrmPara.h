#pragma once

#include "ModalDialog.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

// The parameter dialog: the province code, the registration database the program
// works on and the reserve-statistics database. Modal; the rules live in ParaLogic.
class FrmPara : public ModalDialog
{
    Q_OBJECT
public:
    explicit FrmPara(QWidget* parent = nullptr);

    // Handlers, public so that the main window and tests can drive them.
    void Command1_Click();          // drops the province list down
    void List1_Click();             // copies the current entry into Text1
    void List1_DblClick();          // the same, and hides the list
    void Command3_Click();          // browse for the registration database
    void Command4_Click();          // browse for the statistics database
    void Command2_Click(int index); // 0 accept, 1 close

    // The controls, by the names the program has always used.
    QTabWidget* SSTab1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;
    QListWidget* List1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QPushButton* Command3 = nullptr;
    QCheckBox* Check1 = nullptr;
    QLineEdit* txtTJK = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command2[2] = {nullptr, nullptr};

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void Form_Load();
    void hideList();
};
