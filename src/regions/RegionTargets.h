#pragma once

class CommandTargets;

// The windows of the exchange by region that the main window opens: DataExportXzq,
// DataImportXzq, DBDelete and DataModification.
namespace regions {
void registerTargets(CommandTargets& targets);
}
