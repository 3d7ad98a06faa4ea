#pragma once

#include "platform/Result.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>

#include <functional>

namespace checks {

class CheckReport;

// The groups of checks the user ticked.
struct CheckGroups
{
    bool required = false;    // 必填数据项检查
    bool numeric = false;     // 数值逻辑检查
    bool consistency = false; // 数据一致性检查
    bool any() const { return required || numeric || consistency; }
};

// One step of a check group: a statement run on the work database, or a query
// whose rows, when there are any, make one finding of the report: its header
// (prefix, number of rows, suffix) and one block per row.
struct CheckStep
{
    QString sql;
    QString prefix;
    QString suffix;
    bool isFinding() const { return !prefix.isEmpty(); }
};

// The second data check "数据检查2": copies the registration tables of the working
// database into the work database 临时.mdb made from the template, runs the ticked
// check groups there and writes every finding into the report beside the working
// database. The working database is only read.
class CheckDataRun
{
public:
    // Progress of the run: value of maximum (statements and queries).
    using Progress = std::function<void(int value, int maximum)>;

    enum class Outcome {
        Done,             // the report is written (0 bytes when nothing was found)
        TemplateMissing,  // djk.sys is missing: nothing was checked
        ReportIsDatabase, // the report would be the checked database itself: nothing was done
        WorkIsDatabase    // the work copy would be made over the checked database: nothing was done
    };

    CheckDataRun(const QString& programDir, const QString& databaseFile, Progress progress = {});

    // The database file's path with its last three characters replaced by "Txt".
    static QString reportPath(const QString& databaseFile);
    // The refusal of a run that stopped with `outcome` because its report or its work
    // copy would be written over the database `databaseFile`; empty for any other outcome.
    static QString refusal(Outcome outcome, const QString& databaseFile);
    static QString workPath(const QString& programDir);

    Result<Outcome> run(const CheckGroups& groups);

    // Makes the work database from the template and fills the nine registration
    // tables from the working database. Fails when the template is missing
    // (templateMissing set) or a statement fails.
    Status Copy_To_Work_DB(bool* templateMissing);

    // Appends one finding: the header, then one block per row of `rows` as they
    // are read: a line per column (name, "：", value) and an empty line. Fails
    // when the rows end in an error.
    static Status Write_Finding(CheckReport& report, const QString& header, QSqlQuery& rows);

    // The steps of each group.
    static const QList<CheckStep>& Check_Required_Fields();
    static const QList<CheckStep>& Check_Numeric_Rules();
    static const QList<CheckStep>& Check_Consistency();

private:
    Status runSteps(const QSqlDatabase& work, const QList<CheckStep>& steps, CheckReport& report);
    void advance();

    QString m_programDir;
    QString m_databaseFile;
    Progress m_progress;
    int m_value = 0;
    int m_maximum = 0;
};

} // namespace checks
