#pragma once

#include <QString>
#include <QStringList>

// The state of one upgrade run. Every run sets the paths and isRepair afresh before
// it uses them; the new files are set while the run makes them.
struct Module1
{
    bool isRepair = false;    // a late-registration database takes part in this run
    QStringList tableNames;   // the ten registration tables, in copy order
    QString sourcePath;       // source database file
    QString desPath;          // target of the upgraded database
    QString repairSourcePath; // late-registration database file
    QString repairDesPath;    // target of the upgraded late-registration database
    QString newDbPath;        // the new file of this run
    QString newRepairDbPath;  // the new late-registration file (empty when none was made)
};
