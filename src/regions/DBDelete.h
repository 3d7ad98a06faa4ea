#pragma once

#include "shell/ModalDialog.h"

class RegionPanel;

// The dialog "数据删除": every registration of one region, of the overlay kind or of
// all four kinds, deleted from the working database. Widgets by object name: the
// region controls of RegionPanel (Frame1), Command2_0 "删除", Command2_1 "退出".
class DBDelete : public ModalDialog
{
    Q_OBJECT
public:
    explicit DBDelete(QWidget* parent = nullptr);

private:
    void Load_Region_Tree();
    void Command2_Click(int index);

    RegionPanel* m_region = nullptr;
};
