#include "ExchangeTargets.h"

#include "DataDelete.h"
#include "DataExport.h"
#include "DataImport.h"
#include "DataImportAll.h"
#include "shell/CommandTargets.h"
#include "shell/ShellNames.h"

namespace exchange {

void registerTargets(CommandTargets& targets)
{
    targets.registerModal<DataExport>(WindowNames::DataExport);
    targets.registerModal<DataImport>(WindowNames::DataImport);
    targets.registerModal<DataImportAll>(WindowNames::DataImportAll);
    targets.registerModal<DataDelete>(WindowNames::DataDelete);
}

} // namespace exchange
