#include "RegionTargets.h"

#include "DBDelete.h"
#include "DataExportXzq.h"
#include "DataImportXzq.h"
#include "DataModification.h"
#include "shell/CommandTargets.h"
#include "shell/ShellNames.h"

namespace regions {

void registerTargets(CommandTargets& targets)
{
    targets.registerModal<DataExportXzq>(WindowNames::DataExportXzq);
    targets.registerModal<DataImportXzq>(WindowNames::DataImportXzq);
    targets.registerModal<DBDelete>(WindowNames::DBDelete);
    targets.registerModal<DataModification>(WindowNames::DataModification);
}

} // namespace regions
