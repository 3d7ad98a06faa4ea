#pragma once

#include "ReferenceData.h"
#include "shell/ModalDialog.h"

#include <array>

class QPushButton;
class QTreeWidget;

namespace query {

// The chooser "提示" (window Frm引用): asks whether an identified or an occupied
// registration is to be referenced, shows that kind's list dialog and closes when
// the list dialog has closed.
class FrmReference : public ModalDialog
{
    Q_OBJECT
public:
    explicit FrmReference(QWidget* parent = nullptr);

    // 0 "查 明", 1 "占 用", 2 "取 消".
    void Command1_Click(int index);

private:
    std::array<QPushButton*, 3> m_command1{};
};

// The list dialog of one kind (Frm引用查明 "引用查明数据", Frm引用占用 "引用占用数据"):
// every registration of the kind table; the one picked is taken over into the
// entry window as an overlay registration to be completed and saved.
class FrmReferenceList : public ModalDialog
{
    Q_OBJECT
public:
    FrmReferenceList(ReferenceKind kind, QWidget* parent = nullptr);

    // 0 "引  用": takes the selected registration over (if any) and closes; 1 "取  消" closes.
    void Command1_Click(int index);
    // Takes the selected registration over and closes; nothing without a selection.
    void ListView1_DblClick();

private:
    void Form_Load();
    void pick();

    ReferenceKind m_kind;
    QTreeWidget* m_listView1 = nullptr;
    std::array<QPushButton*, 2> m_command1{};
};

// Takes registration `djh` of the kind over into the entry window (opening it when
// it is closed): the window is cleared and filled, its number kept, its coordinate
// grids and sketch map loaded, and the main window's Save enabled. Nothing is
// written. Failures are shown and the take-over goes on.
void Take_Over_Reference(ReferenceKind kind, const QString& djh, QWidget* parent);

} // namespace query
