#pragma once

#include "shell/KCUTIL_Fields.h"

#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>

class QSqlQuery;

namespace checks {

// A truth value of the checks' comparisons: a comparison with a Null value has
// none, and a rule left without one counts as passed.
enum class Truth { False, True, Unknown };

Truth operator&&(Truth a, Truth b);
Truth operator||(Truth a, Truth b);
inline Truth truthOf(bool b)
{
    return b ? Truth::True : Truth::False;
}

// A value as the checks compare it with a number: a number is itself, a text that
// reads as a number is that number, any other text is greater than every number.
// Null has no place (the comparison has no truth value).
Truth lessThan(const QVariant& value, double bound);
Truth greaterThan(const QVariant& value, double bound);
Truth equalTo(const QVariant& value, double bound);
Truth greaterThan(const QVariant& a, const QVariant& b);
// lessThan(value, low) || greaterThan(value, high), the value read once.
Truth outside(const QVariant& value, double low, double high);

// True when the value reads as a Boolean true (non-zero); Null and texts that are
// no number read as false, except "True".
bool isTrue(const QVariant& value);

// One row of a record set as the checks read it: the columns in the order the
// query returns them, each with its type code, so that a value turns into text
// the way the program's field reader does.
class CheckRow
{
public:
    CheckRow() = default;
    // Columns of `query`'s record; type codes from the declared types of `table`.
    CheckRow(const QSqlQuery& query, const QSqlDatabase& db, const QString& table);
    // Columns named and typed by the caller; a column without a type code is text.
    CheckRow(const QStringList& names, const QList<int>& typeCodes);

    // Reads the query's current row.
    void read(const QSqlQuery& query);
    void setValues(const QVariantList& values) { m_values = values; }

    int columnCount() const { return int(m_names.size()); }
    const QString& name(int i) const { return m_names.at(i); }
    // -1 when the row has no column of that name (exact name).
    int indexOf(const QString& name) const { return m_index.value(name, -1); }
    bool has(const QString& name) const { return indexOf(name) >= 0; }

    QVariant value(int i) const { return m_values.value(i); }
    QVariant value(const QString& name) const;
    // The value as text through KCUTIL::Get_Field_Str ("" for Null).
    QString text(int i) const;
    QString text(const QString& name) const;
    // text(i).isEmpty(), told without making the text.
    bool isEmptyText(int i) const;

    // SQL that stands in for the column `quotedColumn` of type `typeCode` where
    // only the emptiness of its text counts: Null when isEmptyText would tell
    // the column's value empty, else 1. A long text is then never fetched.
    static QString emptyTextSql(const QString& quotedColumn, int typeCode);

private:
    void index();

    QStringList m_names;
    QHash<QString, int> m_index; // the first column of each name
    QList<int> m_types;
    QVariantList m_values;
};

} // namespace checks
