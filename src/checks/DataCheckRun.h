#pragma once

#include "CheckErrors.h"
#include "CheckRow.h"
#include "platform/Result.h"

#include <QHash>
#include <QSqlDatabase>
#include <QString>

#include <functional>
#include <optional>

namespace checks {

class CheckReport;
class ReportSection;

// What a run of the data check came to.
struct DataCheckOutcome
{
    // The report's file is the checked database itself: nothing was read or written.
    bool reportIsDatabase = false;
    // The report was written (the database holds overlay rows in 压覆).
    bool reportWritten = false;
    // 压覆 holds no overlay registration: nothing is checked and no report is written.
    bool noData = false;
    // A read failed part way (a damaged, locked or vanished file): the report is
    // incomplete, and says so in its last line.
    bool stoppedEarly = false;
    // Failures met on the way; the run went on after each.
    QList<Db::Error> errors;
};

// The data check of a whole registration database: the four sections of the
// report 数据检查结果.txt (cover page, first page, review, coordinates) over the
// overlay registrations of the database. It only reads the database.
class DataCheckRun
{
public:
    // Progress of the table being scanned: value of maximum; maximum 0 hides it.
    using Progress = std::function<void(int value, int maximum)>;

    explicit DataCheckRun(QSqlDatabase db, Progress progress = {});

    // The report of a program folder.
    static QString reportPath(const QString& programDir);
    // What a run that stopped early says, at the end of its report and to the user.
    static QString stoppedEarlyText();

    // Counts the overlay rows of 压覆; when there are any, writes the report to
    // `reportPath` with `typedPath` on its path line, line by line as the sections
    // find them. Fails only when the report cannot be written; the old report then
    // stays as it was. A report that would be written over the checked file
    // `typedPath` is refused before anything is done.
    Result<DataCheckOutcome> run(const QString& typedPath, const QString& reportPath);

    // The sections, each writing into `report`.
    int Count_Overlay_Rows(const QString& table, bool* hasRows);
    void Check_Cover_Page(CheckReport& report, const QString& regTable, const QString& kindTable,
                          const QString& regFields, const QString& kindFields, int keyColumn);
    void Check_First_Page(CheckReport& report, const QString& kindTable, const QString& reportTable,
                          const QString& kindFields, const QString& reportFields, int keyColumn);
    void Check_Review(CheckReport& report, const QString& regTable, const QString& reserveTable,
                      const QString& qualityTable, const QString& averageTable, const QString& qualityFields,
                      const QString& reviewFields, int keyColumn);
    void Check_Coordinates(CheckReport& report, const QString& coordTable, const QString& coordFields,
                           int keyColumn);

    const CheckErrors& errors() const { return m_errors; }

private:
    // What a pass reads of its table: the columns whose values its rules take,
    // those of which only the emptiness counts (read as CheckRow::emptyTextSql
    // stands them in), and the column at `keyColumn` (-1 for none) as it is.
    struct Columns
    {
        QStringList values;
        QStringList tested;
        int keyColumn = -1;
    };
    // Reads the rows of `table` that `where` selects, with the table's columns of
    // `columns` in the table's order; hands every row to `onRow`, with the
    // progress bar set to `count` + 1. *keyIndex is the key column's place in the row.
    void scan(const QString& table, const Columns& columns, const QString& where, int count,
              const std::function<void(const CheckRow&)>& onRow, int* keyIndex = nullptr);
    // Runs `sql` and hands every row to `onRow`; the rows have the columns of `row`.
    void scanSql(const QString& sql, CheckRow row, int count,
                 const std::function<void(const CheckRow&)>& onRow);
    // Records a failure; one that is no fault of the table's shape (no such table
    // or column) means the run stopped early.
    void failed(const Db::Error& error);
    // The text after a row's number of a line that names the fields `missing` of
    // a row; `key` is the key column's place in the row.
    using MissingLine = std::function<QString(const CheckRow& row, int key, const QStringList& missing)>;
    // A line for every row of `table` that `where` selects and that leaves one of
    // `fields` unfilled, by `lineText` (DataCheckRules::Missing_Fields_Text without
    // one), which may show the values of `shownColumns`; the line `noRowsText` when
    // the table holds no overlay row.
    void requiredFields(ReportSection& section, const QString& table, const QString& fields,
                        const QString& where, int keyColumn, const QString& noRowsText,
                        const QStringList& shownColumns = {}, const MissingLine& lineText = {});
    void qualityFields(ReportSection& section, const QString& table, const QString& fields, int keyColumn);
    void averageRows(ReportSection& section, const QString& table);
    void reserveRules(ReportSection& section, const QString& table);

    QSqlDatabase m_db;
    Progress m_progress;
    CheckErrors m_errors;
    // Overlay rows of each table counted in this run.
    QHash<QString, int> m_counts;
    bool m_stoppedEarly = false;
};

} // namespace checks
