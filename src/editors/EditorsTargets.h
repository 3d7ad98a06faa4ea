#pragma once

class CommandTargets;

namespace editors {

// Makes the row list window the entry window's detail editor (its "编辑" button).
void registerTargets(CommandTargets& targets);

} // namespace editors
