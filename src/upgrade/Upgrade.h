#pragma once

#include "Module1.h"

#include "platform/Result.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <functional>

// One upgrade run: the old tables are copied into a new file made from the template,
// the deduction references are checked and their columns filled, the old grades of
// mineral 11001 are mapped to the current ones, and the new file takes the place of
// the target. A late-registration database serves as a reference for the deductions
// and, when it is older than the template, is upgraded to its own target as well.
//
// The sources are only read. Each new file is written in one transaction beside its
// target and renamed onto it only after every file of the run is complete, so a run
// that fails or finds faulty deductions leaves sources and targets as they were.
class Upgrade
{
public:
    enum class Ending {
        Completed,                  // "升级完成！"
        CompletedWithoutDeductions, // the source holds no deduction at all: "升级完成"
        FaultyDeductions,           // nothing written; `errors` lists the faulty deductions
    };
    struct Outcome
    {
        Ending ending = Ending::Completed;
        QStringList errors;
        bool repairUpgraded = false; // the late-registration target was written
    };
    // Told after each step: steps done so far and all steps of the run.
    using Progress = std::function<void(int done, int total)>;

    Upgrade(Module1& state, const QString& programDir, Progress progress = {});

    // The whole run. The paths, isRepair and tableNames of the state must be set.
    Result<Outcome> doBusiness();

    // The template djk.sys in the program folder.
    static QString templatePath(const QString& programDir);

private:
    Result<int> upgradeInto(const QString& newPath, const QString& target, const QString& sourcePath,
                            const QString& repairPath, QStringList* errors);
    Result<int> fill(const QSqlDatabase& db, const QString& sourcePath, const QString& repairPath,
                     QStringList* errors);
    void deleteNewFiles();
    void step();

    Module1& m;
    QString m_programDir;
    Progress m_progress;
    int m_done = 0;
    int m_total = 0;
};
