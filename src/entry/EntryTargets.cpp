#include "EntryTargets.h"

#include "EntryRecord.h"
#include "NavigateWindow.h"
#include "NewTab.h"

#include "shell/CommandTargets.h"

namespace entry {

void registerTargets(CommandTargets& targets)
{
    NewTab::Register(targets);
    EntryRecord::Register(targets);
    NAVIGATE::Register(targets);
}

} // namespace entry
