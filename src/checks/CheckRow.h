#pragma once

#include "platform/Database.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

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
// statement returns them, each with its type code, so that a value turns into text
// the way the program's field reader does. A row read from a statement converts
// only the values asked for, while the statement stays on that row.
class CheckRow
{
public:
    CheckRow() = default;
    // Columns named and typed by the caller; a column without a type code is text.
    CheckRow(const QStringList& names, const QList<int>& typeCodes);

    // Reads the current row of `rows`, until they step on.
    void read(const Db::Rows& rows) { m_rows = &rows; }
    void setValues(const QVariantList& values)
    {
        m_rows = nullptr;
        m_values = values;
    }
    // Keeps the values of the first `count` columns of `row` (of the same columns),
    // to be read after its statement has stepped on.
    void keepValues(const CheckRow& row, int count);

    int columnCount() const { return int(m_names.size()); }
    const QString& name(int i) const { return m_names.at(i); }
    // -1 when the row has no column of that name (exact name).
    int indexOf(const QString& name) const { return int(m_names.indexOf(name)); }
    bool has(const QString& name) const { return indexOf(name) >= 0; }
    // The places of the columns `names` (-1 for each the row lacks), to be found
    // once for the rows of a statement.
    QList<int> placesOf(const QStringList& names) const;

    QVariant value(int i) const;
    QVariant value(const QString& name) const { return value(indexOf(name)); }
    // The value as text through KCUTIL::Get_Field_Str ("" for Null).
    QString text(int i) const;
    QString text(const QString& name) const { return text(indexOf(name)); }
    // text(i).isEmpty(), told without making the text.
    bool isEmptyText(int i) const;

    // SQL that stands in for the column `quotedColumn` of type `typeCode` where
    // only the emptiness of its text counts: Null when isEmptyText would tell
    // the column's value empty, else 1. A long text is then never fetched.
    static QString emptyTextSql(const QString& quotedColumn, int typeCode);

private:
    QStringList m_names;
    QList<int> m_types;
    const Db::Rows* m_rows = nullptr;
    QVariantList m_values;
};

} // namespace checks
