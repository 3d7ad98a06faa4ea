#include "QueryTargets.h"

#include "FrmQuery.h"
#include "ReferenceDialogs.h"

#include "shell/CommandTargets.h"
#include "shell/ShellNames.h"

namespace query {

void registerTargets(CommandTargets& targets)
{
    FrmQuery::Register();
    targets.registerModal<FrmReference>(WindowNames::FrmReference);
}

} // namespace query
