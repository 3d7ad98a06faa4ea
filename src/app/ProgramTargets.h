#pragma once

class CommandTargets;

// The windows and operations the main window reaches in the other subsystems:
// one line per library (see shell/CommandTargets.h). A command whose
// target is not registered stays disabled.
void registerProgramTargets(CommandTargets& targets);
