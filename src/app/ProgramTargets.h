#pragma once

#include "shell/MAINBAS.h"

#include <QString>

#include <memory>

class CommandTargets;
class TabMain;

// The windows and operations the main window reaches in the other subsystems:
// one line per library (see shell/CommandTargets.h). A command whose
// target is not registered stays disabled.
void registerProgramTargets(CommandTargets& targets);

// The program's start from its folder: the targets registered, the settings and the
// working database read, then the main window made and shown into `window`.
MAINBAS::StartResult startProgram(const QString& programDir, CommandTargets& targets,
                                  std::unique_ptr<TabMain>& window);
