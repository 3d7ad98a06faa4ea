#pragma once

class CommandTargets;

namespace query {

// Makes the query dialog the entry window's query dialog and the reference chooser
// the main window's window Frm引用.
void registerTargets(CommandTargets& targets);

} // namespace query
