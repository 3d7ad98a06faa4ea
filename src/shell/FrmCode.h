#pragma once

#include "DialogHooks.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

// The read-only browser of the code dictionaries: a list of the tables and a grid
// with every row and column of the chosen one.
class FrmCode : public QDialog
{
    Q_OBJECT
public:
    explicit FrmCode(QWidget* parent = nullptr);
    ~FrmCode() override;

    void List2_Click();
    void Command2_Click();
    // Fills the grid with `table` (one of the listed dictionaries).
    void Show_Table(const QString& table);

    QListWidget* List2 = nullptr;
    QTableWidget* MSFlex1 = nullptr;
    QLineEdit* txtEdit = nullptr;
    QPushButton* Command2 = nullptr;

    void done(int result) override;

private:
    void Form_Load();
    void Form_Unload();
    DialogMark m_mark;
};
