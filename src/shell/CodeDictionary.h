#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include "platform/Database.h"

// The code dictionaries that come with every registration database, read whole
// for the dictionary browser. Nothing here writes.
namespace CodeDictionary {

// The browsable tables, in the order of the browser's list.
const QStringList& tableNames();

struct Table
{
    QStringList columns;     // column names in the order the database returns them
    QList<QStringList> rows; // every record, Null shown as ""
};

// Reads every row and column of `table`, which must be one of tableNames().
// False with `error` set when the table is missing or cannot be read.
bool read(const QSqlDatabase& db, const QString& table, Table* out, Db::Error* error);

// "数据词表" + table + "无法读取：" + the error's description.
QString failureText(const QString& table, const Db::Error& error);

} // namespace CodeDictionary
