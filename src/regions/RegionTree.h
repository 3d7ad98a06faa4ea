#pragma once

#include "registration/record/RegionPickerNodes.h"

#include <QHash>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// The region tree of the region dialogs: the regions that occur in the kind tables
// of a registration database, as provinces, cities and regions, named from that
// database's own cb08. Failing reads are skipped: an unreadable table adds no
// codes, a missing dictionary leaves the codes as their names.
namespace regions {

// The names of cb08 by code; empty when the table cannot be read.
class RegionNames
{
public:
    explicit RegionNames(const QSqlDatabase& db);
    // MC of the code compared as a number; the code itself when there is none.
    QString Get_Region_Name(const QString& code) const;
    bool contains(const QString& code) const;

private:
    QHash<qint64, QString> m_names;
};

// The codes of 行政区代码 in the chosen kind tables, ascending, each once; empty and
// zero codes are left out.
QStringList regionCodes(const QSqlDatabase& db, bool allKinds);

// The nodes in adding order, parents first. A province node ("A" + 2 digits) is
// top level and shown expanded; under it a city node ("B" + 4 digits); under that a
// leaf ("C" + the code) for every code, a stored province or city code included. A
// region whose city cb08 does not list hangs directly under its province, as in the
// entry window's region picker.
RegionPickerNodes::Nodes Load_Region_Tree(const QSqlDatabase& db, bool allKinds);

} // namespace regions
