#pragma once

#include "shell/MAINBAS.h"

#include <QString>

#include <memory>

class CommandTargets;
class QApplication;
class TabMain;

// The windows and operations the main window reaches in the other subsystems:
// one line per library (see shell/CommandTargets.h). A command whose
// target is not registered stays disabled.
void registerProgramTargets(CommandTargets& targets);

// The program's start from its folder: the targets registered, the settings and the
// working database read, then the main window made and shown into `window`.
MAINBAS::StartResult startProgram(const QString& programDir, CommandTargets& targets,
                                  std::unique_ptr<TabMain>& window);

// The whole run of the program from its folder, as main() makes it: the application
// prepared, the start, then the main window's events until it closes. The exit code.
int runProgram(QApplication& app, const QString& programDir);
