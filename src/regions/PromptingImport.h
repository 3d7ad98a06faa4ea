#pragma once

#include "exchange/TableCopier.h"
#include "platform/Result.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <functional>

// The prompting import of one table: the import file's rows of the region come into
// the working database number by number, and a registration number that 登记
// already holds is put to the user (overwrite, leave out, or stop; once or for the
// rest of the run). No command runs it: the import by region replaces a region's
// data without asking.
namespace regions {

// The answers of the duplicate prompt, kept in Prompt_Answer across the tables of
// one run.
enum PromptAnswer {
    Overwrite = 0,
    OverwriteAll = 1,
    LeaveOut = 2,
    LeaveOutAll = 3,
    StopImport = 4,
};

// The text of the duplicate prompt for `number`.
QString duplicateMessage(const QString& number);

struct PromptingRun
{
    QString prefix;                 // Region_Prefix of the code box; empty: every region
    bool overlayOnly = true;        // the detail rows of overlay numbers only
    int* answer = nullptr;          // Prompt_Answer
    QStringList* skipped = nullptr; // Skipped_DJH
    // Shows the prompt with `message` and answers a PromptAnswer.
    std::function<int(const QString& message)> ask;
};

struct PromptingOutcome
{
    int numbers = 0; // numbers whose rows were imported
    QList<exchange::OldDate> oldDates;
};

// Imports `table` from the import file attached as "src", its rows joined to the
// kind table `kind` unless it is a kind table itself; in one transaction.
Result<PromptingOutcome> Prompt_Import_Kind_Table(const QSqlDatabase& db, const QString& table,
                                                  const QString& kind, const PromptingRun& run);

} // namespace regions
