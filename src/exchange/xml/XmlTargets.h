#pragma once

class CommandTargets;

namespace exchange {

// Registers the XML export and import dialogs with the main window.
void registerXmlTargets(CommandTargets& targets);

} // namespace exchange
