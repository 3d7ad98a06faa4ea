#pragma once

class CommandTargets;

namespace shell {

// The shell's own windows (code dictionary, parameters, display option, About) and
// the data-check component, registered with the main window's commands.
void registerTargets(CommandTargets& targets);

} // namespace shell
