#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>

namespace Db {

// Type codes of a column, by the classic data-type numbering the program's field
// helpers reason in (2 small integer, 3 integer, 5 double, 7 date, 11 Boolean,
// 202 text, 203 long text ...). The SQLite driver reports most columns as text,
// so the code comes from the column's declared type.
enum TypeCode {
    TypeEmpty = 0,
    TypeSmallInt = 2,
    TypeInteger = 3,
    TypeSingle = 4,
    TypeDouble = 5,
    TypeCurrency = 6,
    TypeDate = 7,
    TypeBoolean = 11,
    TypeBigInt = 20,
    TypeNumeric = 131,
    TypeDbTimeStamp = 135,
    TypeVarWChar = 202,
    TypeLongVarWChar = 203,
    TypeBinary = 128,
};

struct Column
{
    QString name;
    QString declaredType;
    int typeCode = TypeVarWChar;
};

// Maps a declared SQLite type ("INTEGER", "REAL", "VARCHAR(13)", "LONGTEXT",
// "BOOLEAN", "DATE" ...) to a type code.
int typeCodeForDeclared(const QString& declaredType);

// The columns of `table` in their order; empty when the table does not exist.
QList<Column> columns(const QSqlDatabase& db, const QString& table);

// Type code of one column (case-insensitive name); TypeVarWChar when unknown.
int columnTypeCode(const QSqlDatabase& db, const QString& table, const QString& column);

} // namespace Db
