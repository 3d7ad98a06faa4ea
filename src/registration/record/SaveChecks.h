#pragma once

#include "registration/record/EntryValues.h"
#include "registration/form/FormControl.h"
#include "registration/record/StatDatabase.h"

#include "platform/Database.h"
#include "platform/Prompt.h"
#include "platform/Result.h"

#include <QSqlDatabase>
#include <QString>

#include <functional>

// The checks before saving: what the entry window holds is checked in a fixed order
// (the mine against the statistics database, the registration number, the ten
// dates, both coordinate grids ring by ring) and the first fault ends the check.
// Nothing here shows a message: the fault comes back with its text, title, icon,
// the page to show and the box to put the cursor into. Only the two questions of
// the check are asked, through the caller's Asker.
namespace KCUTIL {

// Asks a Yes/No question; true for Yes (the window asks it).
using Asker = std::function<bool(const QString& text, const QString& title, Prompt::Icon icon)>;

// Who holds a registration number besides the registration shown.
struct DjhContext
{
    QString curDjh;                    // the number of the registration shown (Cur_DJH)
    bool registrationSelected = false; // a registration node (not "...") is selected in the list
};

enum class DjhFree { Free, Taken };

// Free when table 登记 has no row with `number`, or when `number` is the shown
// registration's own number while a registration node is selected; the error when
// the table cannot be read.
Result<DjhFree> DJH_Is_Free(const QSqlDatabase& db, const QString& number, const DjhContext& context);

struct SaveCheckResult
{
    enum class Outcome {
        Passed,
        Fault,    // `message` tells what is wrong
        Declined, // the user answered No to a question: nothing more is shown
    };
    using Array = FormControl::Array;

    Outcome outcome = Outcome::Passed;
    QString message;
    QString title;
    Prompt::Icon icon = Prompt::Icon::Information;
    int page = 0;              // tab of Tab1 to show, 1 to 4; 0 leaves the page as it is
    Array array = Array::None; // box to put the cursor into
    int index = -1;

    bool passed() const { return outcome == Outcome::Passed; }
};

// The check of one coordinate grid (`index` 0 or 1; geographic from its Check1 box).
// A grid without data rows passes. Writes "1" into an empty 性质 cell of a ring-end
// row. Asks once per ring-end row without both elevations whether to go on.
SaveCheckResult Check_Coord_Grid(CoordGrid& grid, bool geographic, const Asker& ask);

// The whole check, in order. `values` is what the window holds; its grids may be
// changed as Check_Coord_Grid changes them.
SaveCheckResult Check_Before_Save(const QSqlDatabase& db, EntryValues& values, const DjhContext& context,
                                  const StatDatabase& stat, const Asker& ask);

// The messages of the checks.
QString Stat_Mine_Question(int statResult);
QString Djh_Length_Message();
QString Date_Message(const QString& column);

} // namespace KCUTIL
