#pragma once

#include "registration/record/EntryValues.h"

#include "platform/Result.h"

#include <QHash>
#include <QSqlDatabase>
#include <QString>

#include <array>
#include <memory>

class CoordGridModel;
struct RegistrationSnapshot;

// What the page printer prints of one registration, without any widget: the texts
// of the field boxes and the two coordinate grids (EntryValues), the text of the
// project-category list and the values of the tick boxes. The single print takes
// them from the entry window as it stands; the batch print loads each
// registration from the database.
struct PrintedForm
{
    // The registration whose quality and reserve table is printed.
    QString djh;
    EntryValues values;
    // Combo5(0): the project category as the list shows it.
    QString category;
    // Tick boxes by "name(index)": 0 clear, 1 ticked, 2 greyed.
    QHash<QString, int> ticks;

    int tick(const QString& name, int index) const;
    void setTick(const QString& name, int index, int value);

    // The registration as the entry window shows it after loading it: boxes from the
    // snapshot, the tick pair of each group ticked by the stored caption, the grids
    // filled from the coordinate texts.
    static PrintedForm fromSnapshot(const RegistrationSnapshot& snapshot);
    // Loads registration `djh`; fails when it cannot be read or has no 登记 row.
    static Result<PrintedForm> load(const QSqlDatabase& db, const QString& djh);

    // Grids the form owns (a loaded registration); the window's grids are not owned.
    std::array<std::shared_ptr<CoordGridModel>, 2> ownedGrids;
};
