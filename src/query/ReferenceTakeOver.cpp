#include "ReferenceDialogs.h"

#include "entry/NewTab.h"
#include "platform/ErrorBox.h"
#include "shell/MainWindowServices.h"
#include "shell/ProgramState.h"
#include "shell/ShellNames.h"

namespace query {

void Take_Over_Reference(ReferenceKind kind, const QString& djh, QWidget* parent)
{
    if (!NewTab::instance()) mainWindow().openWindow(WindowNames::NewTab);
    NewTab* w = NewTab::instance();
    if (!w) return;
    ProgramState& s = state();
    const QString kept = w->values().djh();
    w->clearForTakeOver();
    // The window's change handlers stay idle while it is filled: no number is
    // allocated for the region code taken over.
    s.Is_Loading = true;
    const ReferenceValues r = Copy_Reference_Data(s.Cn(), kind, djh, kept);
    for (const Db::Error& e : r.errors)
        ErrorBox::show(e, parent);
    if (r.found) {
        w->showValues(r.values);
        // The coordinates come along, so that a save stores them beside the areas.
        w->Init_Flex(0, r.areaLines);
        w->Init_Flex(1, r.calcLines);
        w->KnPic_Paint(2);
    }
    s.Is_Loading = false;
    if (r.found) mainWindow().setButtonEnabled(Keys::Save, true);
}

} // namespace query
