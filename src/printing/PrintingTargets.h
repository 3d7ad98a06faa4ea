#pragma once

class CommandTargets;

namespace printing {

// The print dialog (modal) and the batch print window (one instance, not modal),
// opened by the main window's "PRINT" key and its menu items.
void registerTargets(CommandTargets& targets);

} // namespace printing
