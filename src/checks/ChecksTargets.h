#pragma once

class CommandTargets;

namespace checks {

// Registers the data-check windows with the main window's commands.
void registerTargets(CommandTargets& targets);

} // namespace checks
