#pragma once

class CommandTargets;

namespace entry {

// The entry window ("NEW" and its menu item), its save, delete and navigation, as
// the main window's commands and entry hooks.
void registerTargets(CommandTargets& targets);

} // namespace entry
