#pragma once

#include "registration/navigation/NAVIGATE.h"

#include <QString>

#include <functional>

class CommandTargets;
class NewTab;
class NavigateTree;
class QWidget;

// The navigation trees of an entry window: the builders fill its trees from the
// database (with the program's registration-list filter) and lay them out under
// the mode box; the edit lock switches its editing controls.
namespace NAVIGATE {

// Puts the nodes a builder read into `tree`; when the read failed, empties the tree
// and shows why.
void Fill_Tree(NewTab& w, NavigateTree* tree, Result<NodeTable> nodes);

// Empties both trees; the registration tree alone, below the mode box and down to
// the query button.
void Clear_Tree(NewTab& w);
// Mode "登记号": every registration passing the filter, closed by "...".
void Load_Tree_DJH(NewTab& w);
// The region modes: the region tree above an empty registration tree.
void Load_Tree_XZQ(NewTab& w);
// Mode "矿山-->登记号": the mining-area tree over all regions.
void Load_Tree_KQ(NewTab& w);
// The registration list, resp. the mining-area tree, of one county (6-digit code);
// the layout and the region tree stay as they are.
void Load_Tree_DJH_XZQ(NewTab& w, const QString& regionCode);
void Load_Tree_KQ_XZQ(NewTab& w, const QString& regionCode);

// 1: no registration chosen, editing controls, Save and Delete disabled; 2: a
// registration chosen, enabled. Any other mode changes nothing.
void Enable_Edit(NewTab& w, int mode);

// Makes the mining-area tree follow a changed ViewFlag: exchanges text and tag of
// every node of the registration tree while it is shown in a mine mode.
void Relabel_Tree_Nodes(NewTab& w);

// The query dialog, registered by the program once it exists: shown modally with
// the entry window as parent, it sets the program's registration-list filter.
// Until one is registered the entry window's query button stays disabled.
void Set_Query_Dialog(std::function<void(QWidget* parent)> open);
bool Has_Query_Dialog();
void Open_Query_Dialog(QWidget* parent);

// Hands the main window and the shell's dialogs the navigation of the open entry
// window: the rebuild after a save, a delete or an import, the relabelling after
// the display option changed, and showing Cur_DJH after the check tool's answer
// (which opens the entry window when it is not open).
void Register(CommandTargets& targets);

} // namespace NAVIGATE
