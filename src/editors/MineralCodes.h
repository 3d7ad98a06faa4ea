#pragma once

#include "platform/Result.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

namespace editors {

// The levels of the mineral dictionary cb06 as the mineral-code picker shows them:
// the categories, the minerals of a category, the statistics objects of a mineral.
// Each level is one query, read when the picker needs it.
namespace MineralCodes {

struct Category
{
    QString code; // 矿产类别 as text
    QString name; // its cb01 名称
};
struct Mineral
{
    QString code; // 矿产代码 as text
    QString name; // 矿产名称
    bool hasObjects = false;
};
struct StatObject
{
    int object = 0; // 统计对象
    QString text;   // name and units
};

// The distinct categories in code order.
Result<QList<Category>> categories(const QSqlDatabase& db);
// The minerals of a category in code order, one per code.
Result<QList<Mineral>> minerals(const QSqlDatabase& db, const QString& category);
// The statistics objects of a mineral in the dictionary's order.
Result<QList<StatObject>> objects(const QSqlDatabase& db, const QString& mineral);

// "name  metal/ore", "name  ore" when there is no metal unit, "name  metal" when
// there is no ore unit.
QString objectText(const QString& name, const QString& metalUnit, const QString& oreUnit);

} // namespace MineralCodes

} // namespace editors
