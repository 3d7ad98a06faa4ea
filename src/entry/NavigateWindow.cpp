#include "NavigateWindow.h"

#include "EntryGeometry.h"
#include "FieldBox.h"
#include "NavigateTree.h"
#include "NewTab.h"
#include "registration/navigation/NAVIGATE.h"
#include "registration/navigation/RegistrationFilter.h"

#include "NewTabControls.h"
#include "platform/ErrorBox.h"
#include "platform/Twips.h"
#include "shell/CommandTargets.h"
#include "shell/MainWindowServices.h"
#include "shell/ProgramState.h"
#include "shell/ShellNames.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

namespace NAVIGATE {

namespace {

std::function<void(QWidget*)>& queryDialog()
{
    static std::function<void(QWidget*)> open;
    return open;
}

// Places a tree of the navigation panel: `top` and `height` in twips, the width of
// the panel's trees.
void placeTree(NewTab& w, NavigateTree* tree, int top, int height)
{
    const EntryGeometry::Layout& l = w.currentLayout();
    tree->setGeometry(Twips::toPixels(0, top, l.panel.width() - 50, std::max(0, height)));
}

int belowCombo(const NewTab& w)
{
    const EntryGeometry::Layout& l = w.currentLayout();
    return l.combo.top() + l.combo.height();
}

void singleTreeLayout(NewTab& w)
{
    controlsOf(w).TvDataList()->clear();
    controlsOf(w).TvmDataList()->clear();
    controlsOf(w).TvmDataList()->show();
    controlsOf(w).TvDataList()->hide();
    const int top = belowCombo(w);
    placeTree(w, controlsOf(w).TvmDataList(), top, w.currentLayout().queryButton.top() - top);
    w.Form_Resize();
}

} // namespace

void Fill_Tree(NewTab& w, NavigateTree* tree, Result<NodeTable> nodes)
{
    if (!nodes) {
        tree->clear();
        ErrorBox::show(nodes.error(), &w);
        return;
    }
    tree->fill(std::move(*nodes));
}

void Clear_Tree(NewTab& w)
{
    singleTreeLayout(w);
}

void Load_Tree_DJH(NewTab& w)
{
    singleTreeLayout(w);
    Fill_Tree(w, controlsOf(w).TvmDataList(), Load_Tree_DJH(state().Cn(), Query_Filter()));
}

void Load_Tree_XZQ(NewTab& w)
{
    controlsOf(w).TvDataList()->clear();
    controlsOf(w).TvmDataList()->clear();
    controlsOf(w).TvDataList()->show();
    controlsOf(w).TvmDataList()->show();
    const int top = belowCombo(w);
    placeTree(w, controlsOf(w).TvDataList(), top, EntryGeometry::RegionTreeHeight);
    const int listTop = top + EntryGeometry::RegionTreeHeight;
    placeTree(w, controlsOf(w).TvmDataList(), listTop, w.currentLayout().queryButton.top() - listTop);
    w.Form_Resize();
    Fill_Tree(w, controlsOf(w).TvDataList(), Load_Tree_XZQ(state().Cn(), Query_Filter()));
}

void Load_Tree_KQ(NewTab& w)
{
    Clear_Tree(w);
    Fill_Tree(w, controlsOf(w).TvmDataList(), Load_Tree_KQ(state().Cn(), Query_Filter(), state().ViewFlag));
}

void Load_Tree_DJH_XZQ(NewTab& w, const QString& regionCode)
{
    controlsOf(w).TvmDataList()->clear();
    Fill_Tree(w, controlsOf(w).TvmDataList(), Load_Tree_DJH_XZQ(state().Cn(), regionCode, Query_Filter()));
}

void Load_Tree_KQ_XZQ(NewTab& w, const QString& regionCode)
{
    controlsOf(w).TvmDataList()->clear();
    Fill_Tree(w, controlsOf(w).TvmDataList(),
              Load_Tree_KQ_XZQ(state().Cn(), regionCode, Query_Filter(), state().ViewFlag));
}

void Enable_Edit(NewTab& w, int mode)
{
    if (mode != 1 && mode != 2) return;
    const bool on = mode == 2;
    for (NewTab::Array a :
         {NewTab::Array::Kn1Data, NewTab::Array::Kn2Data, NewTab::Array::Kn3Data, NewTab::Array::Kn6Data})
        for (FieldBox* b : controlsOf(w).boxes(a))
            b->setEnabled(on);
    // The coordinate kind is the clerk's to choose for a registration being typed:
    // locked with the rest, it would stay locked for a new registration, which then
    // could never be typed in degrees.
    for (QCheckBox* c : controlsOf(w).Check1Array())
        c->setEnabled(on);
    for (QCheckBox* c : controlsOf(w).Check11Array())
        c->setEnabled(on);
    for (QCheckBox* c : controlsOf(w).Check12Array())
        c->setEnabled(on);
    MainWindowServices& host = mainWindow();
    host.setButtonEnabled(Keys::Save, on);
    host.setButtonEnabled(Keys::Del, on);
    if (!on) controlsOf(w).Command2()->setEnabled(false);
    controlsOf(w).Command7()->setEnabled(on);
    // The query button opens the query dialog: it is enabled only once one exists.
    if (on) controlsOf(w).Command6()->setEnabled(Has_Query_Dialog());
    for (QComboBox* c : controlsOf(w).Combo5Array())
        c->setEnabled(on);
}

void Relabel_Tree_Nodes(NewTab& w)
{
    if (controlsOf(w).TvmDataList()->isHidden()) return;
    if (!Has_Swappable_Labels(controlsOf(w).cobNavigate()->currentText())) return;
    controlsOf(w).TvmDataList()->swapLabels();
}

void Set_Query_Dialog(std::function<void(QWidget*)> open)
{
    queryDialog() = std::move(open);
}

bool Has_Query_Dialog()
{
    return bool(queryDialog());
}

void Open_Query_Dialog(QWidget* parent)
{
    if (queryDialog()) queryDialog()(parent);
}

void Register(CommandTargets& targets)
{
    CommandTargets::EntryHooks hooks = targets.entry();
    hooks.cobNavigate_Click = [] {
        if (NewTab* w = NewTab::instance()) w->cobNavigate_Click();
    };
    hooks.Relabel_Tree_Nodes = [] {
        if (NewTab* w = NewTab::instance()) Relabel_Tree_Nodes(*w);
    };
    hooks.Show_Current_Registration = [] {
        // The window opens with nothing chosen; the registration to show is chosen after.
        const QString djh = state().Cur_DJH;
        if (!NewTab::instance()) mainWindow().openWindow(WindowNames::NewTab);
        state().Cur_DJH = djh;
        if (NewTab* w = NewTab::instance()) w->cobNavigate_Click();
    };
    targets.setEntryHooks(hooks);
}

} // namespace NAVIGATE
