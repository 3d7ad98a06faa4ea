#include "ChecksTargets.h"

#include "DataCheck.h"
#include "FrmCheckData.h"
#include "FrmClearLX_PJ.h"
#include "shell/CommandTargets.h"
#include "shell/ShellNames.h"

namespace checks {

void registerTargets(CommandTargets& targets)
{
    targets.registerModal<DataCheck>(WindowNames::DataCheck);
    targets.registerModal<FrmCheckData>(WindowNames::FrmCheckData);
    targets.registerModal<FrmClearLX_PJ>(WindowNames::FrmClearLX_PJ);
}

} // namespace checks
