#include "ReferenceDialogs.h"

#include "entry/FieldBox.h"
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
    const QString kept = w->box(FormControl::Array::Kn1Data, 0)->text();
    w->clear_data();
    s.Is_Loading = true;
    const ReferenceValues r = Copy_Reference_Data(s.Cn(), kind, djh, kept);
    for (const Db::Error& e : r.errors)
        ErrorBox::show(e, parent);
    if (r.found) {
        for (FormControl::Array a : {FormControl::Array::Kn1Data, FormControl::Array::Kn2Data,
                                     FormControl::Array::Kn3Data, FormControl::Array::Kn6Data})
            for (int i = 0; i < r.values.count(a); ++i)
                if (FieldBox* b = w->box(a, i)) b->setText(r.values.text(a, i));
        s.Area_Coord_Str = r.areaLines;
        w->Init_Flex(0);
        s.Area_Coord_Str = r.calcLines;
        w->Init_Flex(1);
        w->KnPic_Paint(2);
    }
    s.Is_Loading = false;
    if (r.found) mainWindow().setButtonEnabled(Keys::Save, true);
}

} // namespace query
