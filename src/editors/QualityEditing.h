#pragma once

#include "HandOver.h"
#include "platform/Result.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <array>

namespace editors {

// The ore-quality records (质量) of one ore row: up to ten components of its ore
// type and grade, or the average composition of its mineral and statistics object
// with free-text descriptions of type and grade.
namespace QualityEditing {

constexpr int ComponentRows = 10;

struct Component
{
    QString name;  // 组分名
    QString value; // 组分值 as the box shows it
    QString unit;  // 组分单位
    bool blank() const
    {
        return name.trimmed().isEmpty() && value.trimmed().isEmpty() && unit.trimmed().isEmpty();
    }
};

// What the editor shows: the two descriptions (boxes 0 and 1) and the components.
struct Sheet
{
    QString typeText;  // 矿石类型 (the description in average mode)
    QString gradeText; // 矿石品级
    std::array<Component, ComponentRows> rows;
};

// The key of the records: the average key when `average` is set, else the
// component key with the ore type and grade of the hand-over.
struct Key
{
    QString djh;
    int mineral = 0;
    int object = 0;
    int type = 0;
    int grade = 0;
    bool average = false;
};
Key keyOf(const HandOver& handOver, bool average);

struct Loaded
{
    Sheet sheet;
    int records = 0; // records of the key (all of them, the sheet holds ten)
};

// The records of the key in 显示序号 order, the first ten. A description that the
// records leave empty shows the key's code.
Result<Loaded> Load_Quality(const QSqlDatabase& db, const Key& key);

// The check before saving: 0 when the sheet may be saved, else the number of the
// first row that is partly filled (Incomplete) or whose value is no number
// (NotNumeric).
enum class Problem { None, Incomplete, NotNumeric };
struct Check
{
    Problem problem = Problem::None;
    int row = 0;
    bool remindDescriptions = false; // average mode with both descriptions blank
};
Check Check_Quality(const Sheet& sheet, bool average);

// Replaces the key's records by the non-blank rows of the sheet, numbered from
// `base` + row, in one transaction. Returns the marker the row list shows: "有",
// "平均含量", or "" when no row was written. Refuses when the key holds more records
// than the editor shows.
Result<QString> Save_Quality(const QSqlDatabase& db, const Key& key, const Sheet& sheet, int base);

// Removes the key's records.
Status Delete_Quality(const QSqlDatabase& db, const Key& key);

// The entries of the name list (0: "品质（品质名）") or the unit list (1) of a
// mineral's quality items, after an empty entry.
Result<QStringList> Fill_Item_List(const QSqlDatabase& db, int listIndex, int mineral);
// What a pick writes into the box: the name before "（" (list 0), the unit whole.
QString pickedText(int listIndex, const QString& entry);

// True when a typed value deserves the numeric warning: not blank, not ending in
// "." (a number being typed), and no number.
bool valueWarns(const QString& text);

} // namespace QualityEditing

} // namespace editors
