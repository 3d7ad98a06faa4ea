#pragma once

#include "ModalDialog.h"

class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

// The read-only browser of the code dictionaries: a list of the tables and a grid
// with every row and column of the chosen one.
class FrmCode : public ModalDialog
{
    Q_OBJECT
public:
    explicit FrmCode(QWidget* parent = nullptr);

    void List2_Click();
    void Command2_Click();
    // Fills the grid with `table` (one of the listed dictionaries).
    void Show_Table(const QString& table);

    QListWidget* List2 = nullptr;
    QTableWidget* MSFlex1 = nullptr;
    QLineEdit* txtEdit = nullptr;
    QPushButton* Command2 = nullptr;

private:
    void Form_Load();
};
