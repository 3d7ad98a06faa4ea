#include "XmlTargets.h"

#include "DataXmlExport.h"
#include "xmlimport.h"

#include "shell/CommandTargets.h"
#include "shell/ShellNames.h"

namespace exchange {

void registerXmlTargets(CommandTargets& targets)
{
    targets.registerModal<DataXmlExport>(WindowNames::DataXmlExport);
    targets.registerModal<xmlimport>(WindowNames::XmlImport);
}

} // namespace exchange
