#pragma once

#include "platform/ColumnCatalog.h"

#include <QString>
#include <QVariant>

class QSqlQuery;
class QSqlRecord;

// Field values to texts and back, by the type code of their column
// (Db::ColumnCatalog gives the codes from the declared types).
namespace KCUTIL {

// One field: its value as the query returned it and its column's type code.
struct FieldValue
{
    QVariant value;
    int typeCode = Db::TypeVarWChar;
};

// Field kind of a type code: 1 number, 2 date, 0 text, 3 long text; 0 for every
// other code.
int Get_Field_Kind(int typeCode);

// Display text by kind: Null shows empty, a number never begins with a bare ".",
// a date shows as "YYYY/M/D" (empty when outside 1900/1/1 to 4000/1/1), types
// that are no text, number or date show empty.
QString Get_Field_Text(int typeCode, const QVariant& value);

// The general reader: the value as text, Null as the empty text, Booleans as
// "True" / "False".
QString Get_Field_Str(const FieldValue& field);

// An amount: at most four decimals, zero (after rounding) as the empty text.
QString Get_Field_NumStr(const FieldValue& field);

// A number: Null empty, a value whose leading number is 0 as "0", else its text.
QString Get_Field_Num(const FieldValue& field);

// Entered text to the value for a column of `typeCode`:
//  - number: empty text gives Null, else the text's leading number (a double);
//  - date: a valid date, else Null;
//  - text and long text: the text unchanged (an empty text stays empty);
//  - any other type: an invalid QVariant, meaning "no value": leave the column out.
// Null is a null QVariant of the column's kind (isValid() true, isNull() true).
QVariant Text_To_Value(int typeCode, const QString& text);

// Number of rows of an executed select query, without moving its current row
// (the statement is run once more with the same values); -1 when the rows cannot
// be counted.
int Get_Record_Count(QSqlQuery& query);

// True when the record has a column of that name, compared without case.
bool Get_Field_Index(const QString& name, const QSqlRecord& record);

} // namespace KCUTIL
