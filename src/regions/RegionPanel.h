#pragma once

#include "registration/record/RegionPickerNodes.h"

#include <QGroupBox>

class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;

// The region controls every region dialog has, in the frame Frame1: the kind
// options Option1_0 "仅压覆登记" (chosen at the start) and Option1_1
// "查明、占用、停办、压覆全部登记", the code box Text2_0, the name box Text2_1, the
// button Command1 "..." and the drop-down region tree TreeView2 (hidden at the
// start; a child of the dialog, so that it can lie over the other controls).
//
// A click on a node writes its code (the key without its letter) and its name into
// the boxes and leaves the tree open; a double click, leaving the tree, or a click
// on the dialog or the frame hides it. The keys pick as the mouse: a move of the
// selection as a click, Enter as a click and a double click.
class RegionPanel : public QGroupBox
{
    Q_OBJECT
public:
    RegionPanel(const QString& caption, QWidget* dialog);

    // The trimmed code box and name box; whether all four kinds are chosen.
    QString code() const;
    QString name() const;
    bool allKinds() const;

    // Refills the tree; the boxes keep their text.
    void fill(const RegionPickerNodes::Nodes& nodes);
    // Command1_Click: shows the tree, 1800 twips high, below the code box.
    void showTree();
    void hideTree();

Q_SIGNALS:
    // Option1_Click, whichever option was clicked.
    void kindClicked();
    // Command1 was pressed; the dialog decides whether the tree shows.
    void dropDownClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void TreeView2_NodeClick(QTreeWidgetItem* node);
    void TreeView2_Expand(QTreeWidgetItem* node);

    QWidget* m_dialog = nullptr;
    QRadioButton* m_option[2]{};
    QLineEdit* m_code = nullptr;
    QLineEdit* m_name = nullptr;
    QPushButton* m_command1 = nullptr;
    QTreeWidget* m_tree = nullptr;
};
