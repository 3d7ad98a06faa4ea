#include "EditorsTargets.h"

#include "FrmEdit.h"

#include "entry/EntryEditing.h"
#include "entry/NewTab.h"

namespace editors {

void registerTargets(CommandTargets&)
{
    // The entry window rebuilds its quality and reserve table when the window closes.
    EntryEditing::setDetailEditor([](NewTab& entry) {
        FrmEdit window(entry.window());
        window.exec();
    });
}

} // namespace editors
