#pragma once

#include <QString>

#include <optional>

// The reserve-statistics database as the checks before saving see it: whether its
// table KCL_KS knows a mining area. Tests put a fake behind it.
class StatDatabase
{
public:
    // Results of the look-up, as Check_Stat_Mine returns them.
    enum Result {
        Found = 1,
        Unreadable = -1,    // the database cannot be opened or read (no file, no table ...)
        NotConfigured = -2, // no statistics database is set
        NotFound = -3,
    };

    virtual ~StatDatabase() = default;

    // Found when KCL_KS has a row with KQBH = `kqbh` (compared as it stands), DJFLBH =
    // `djflbh` when one is given, and ND = `year` or `previousYear`.
    virtual int findMine(const QString& kqbh, std::optional<int> djflbh, int year,
                         int previousYear) const = 0;
};

// The statistics database file of the installation: folder `tjPath`, file `tjName`
// (tjk.ini). Each look-up opens the file read-only on a connection of its own and
// closes it again.
class SqliteStatDatabase : public StatDatabase
{
public:
    SqliteStatDatabase(const QString& tjPath, const QString& tjName);

    int findMine(const QString& kqbh, std::optional<int> djflbh, int year, int previousYear) const override;

private:
    QString m_path;
    QString m_name;
};

namespace KCUTIL {

// The statistics year of a registration number, from its two digits at positions 8
// and 9 (0 when they are no number): a year of this century up to this year's last
// two digits (the clock's today), else a year of the last century, so that 99 is
// 1999 and not 2099.
int Stat_Year(const QString& djh);

// Looks the mine of a registration up: the year is Stat_Year of 登记号, the previous
// year one less; the mine class is 所属矿山编号 + 2000 when that box is filled.
// Returns a StatDatabase::Result.
int Check_Stat_Mine(const StatDatabase& stat, const QString& djh, const QString& kqbh, const QString& ksbh);

} // namespace KCUTIL
