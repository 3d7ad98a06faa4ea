#include "ChecksTargets.h"

#include "DataCheck.h"
#include "shell/CommandTargets.h"
#include "shell/ShellNames.h"

namespace checks {

void registerTargets(CommandTargets& targets)
{
    targets.registerModal<DataCheck>(WindowNames::DataCheck);
}

} // namespace checks
