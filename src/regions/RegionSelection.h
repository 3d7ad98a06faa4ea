#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>

// Which registrations the dialogs of the exchange by region act on: the kind tables
// chosen by the kind option, and the region selection rule that turns a picked or
// typed region code into a prefix and a condition on 行政区代码.
namespace regions {

// The kind tables in the order every region operation takes them: 查明, 占用, 停办,
// 压覆 for all four kinds, 压覆 alone for overlay registrations only.
const QStringList& kindTables(bool allKinds);
// The tables that hang off a kind-table row by 登记号, in their order.
const QStringList& detailTables();
// The tables of an import file that a region import reads: the kind tables, then
// the detail tables.
QStringList importTables(bool allKinds);

// The region selection rule: the trimmed code; ending in "0000" gives its first two
// characters, else ending in "00" its first four, else the whole code.
QString Region_Prefix(const QString& code);

// True when the prefix of `code` selects regions: 2, 4 or 6 digits. A code that
// fails this (letters, or a prefix of another length) must never reach a statement.
bool isRegionCode(const QString& code);

// A condition on a region column, with its bound values; empty text means every
// region.
struct RegionCondition
{
    QString sql;
    QVariantList values;
    bool isEmpty() const { return sql.isEmpty(); }
};

// The condition of `prefix` (from Region_Prefix) on `column` ("k.行政区代码"): the
// leading characters compared as text for 2 and 4 digits, the whole code compared
// as a number for 6; no condition for anything else.
RegionCondition regionCondition(const QString& column, const QString& prefix);

// The code of the region a prefix names, for its dictionary name: 2 digits + "0000",
// 4 digits + "00", or the code itself.
QString regionCodeOf(const QString& prefix);

// The message for a typed code that selects no region.
QString badCodeMessage();

} // namespace regions
