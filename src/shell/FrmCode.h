#pragma once

#include "ModalDialog.h"

#include <QList>

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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    // Widens the columns whose longest text needs more than their width, as far as
    // the grid has room beside its columns.
    void fitColumns();

    QList<int> m_baseWidths; // the columns' widths before fitting, in pixels
    QList<int> m_textWidths; // what the longest text of each column needs
};
