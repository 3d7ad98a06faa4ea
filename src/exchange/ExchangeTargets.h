#pragma once

class CommandTargets;

namespace exchange {

// Registers the windows of the exchange, by registration number and by XML file,
// with the main window's commands.
void registerTargets(CommandTargets& targets);

} // namespace exchange
