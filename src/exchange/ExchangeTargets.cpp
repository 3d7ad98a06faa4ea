#include "ExchangeTargets.h"

#include "DataDelete.h"
#include "DataExport.h"
#include "DataImport.h"
#include "DataImportAll.h"
#include "shell/CommandTargets.h"
#include "shell/ShellNames.h"
#include "xml/DataXmlExport.h"
#include "xml/xmlimport.h"

namespace exchange {

void registerTargets(CommandTargets& targets)
{
    targets.registerModal<DataExport>(WindowNames::DataExport);
    targets.registerModal<DataImport>(WindowNames::DataImport);
    targets.registerModal<DataImportAll>(WindowNames::DataImportAll);
    targets.registerModal<DataDelete>(WindowNames::DataDelete);
    targets.registerModal<DataXmlExport>(WindowNames::DataXmlExport);
    targets.registerModal<xmlimport>(WindowNames::XmlImport);
}

} // namespace exchange
