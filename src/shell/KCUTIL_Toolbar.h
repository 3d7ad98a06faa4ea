#pragma once

class QTreeView;

// Save, Delete and Print of the main window follow the entry window: the toolbar
// buttons "SAVE", "DEL" and "PRINT" are the master, the menu items "保存(&S)",
// "删除(&D)", "打印(&P)" and "批量打印" copy them.
namespace KCUTIL {

// With the entry window's registration list: selects its last node when none is
// selected, leaving the list scrolled where it is; a registration leaf enables
// "DEL" and "PRINT", the "..." node and a group node (a mining area) disable "DEL"
// and leave "PRINT" as it is, and so does an empty list; then the menu follows.
void Set_Toolbar_State(QTreeView* TvmDataList);

// The menu items take the states of their buttons.
void Sync_Menu_Toolbar();

} // namespace KCUTIL
