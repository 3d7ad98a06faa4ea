#include "ShellTargets.h"

#include "About.h"
#include "CommandTargets.h"
#include "FrmCode.h"
#include "FrmPara.h"
#include "FrmSysView.h"
#include "ModMCD.h"
#include "ShellNames.h"

namespace shell {

void registerTargets(CommandTargets& targets)
{
    targets.registerModal<FrmCode>(WindowNames::FrmCode);
    targets.registerModal<FrmPara>(WindowNames::FrmPara);
    targets.registerModal<FrmSysView>(WindowNames::FrmSysView);
    targets.registerModal<About>(WindowNames::About);
    targets.setRunCheckTool(
        [](int mode, const QString& systemName, TabMain&) { ModMCD::Run_Check_Tool(mode, systemName); });
}

} // namespace shell
