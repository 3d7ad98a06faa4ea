#pragma once

#include "platform/Result.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

// The replacement of one region code by another in 行政区代码 of the kind tables,
// with the checks of the two codes. Codes are the trimmed box texts; they reach a
// statement only as six bound digits.
namespace regions {

// Which code a check is about.
enum class CodeRole { New = 1, Old = 2 };

// The refusal text of the first failing test of `code`, or "" when it passes:
// empty; not six digits; for a new code a leading 0, a trailing 0, a code cb08 does
// not hold; for an old code a code no chosen kind table holds. A presence query
// that fails counts as finding nothing and is added to `queryErrors`.
QString Check_Region_Code(const QSqlDatabase& db, const QString& code, CodeRole role, bool allKinds,
                          QList<Db::Error>* queryErrors = nullptr);

// The outcome of checking both boxes, the old code first.
struct InputCheck
{
    QString refusal;              // "" when both pass
    CodeRole box = CodeRole::Old; // the box that failed
    QList<Db::Error> queryErrors;
};
InputCheck Check_Input(const QSqlDatabase& db, const QString& oldCode, const QString& newCode, bool allKinds);

// 1 when cb08 holds the code, else -1.
Result<int> Code_In_Dictionary(const QSqlDatabase& db, const QString& code);
// 1 when one of the chosen kind tables holds the code, else -1.
Result<int> Code_In_Kind_Tables(const QSqlDatabase& db, const QString& code, bool allKinds);

// Sets 行政区代码 from `oldCode` to `newCode` in the chosen kind tables, in one
// transaction; answers the rows changed. Both codes must be six digits.
Result<int> Replace_Region_Code(const QSqlDatabase& db, const QString& newCode, const QString& oldCode,
                                bool allKinds);

} // namespace regions
