#pragma once

#include "shell/QueryFilter.h"

#include <QString>
#include <QVariantList>

// A piece of SQL with `?` placeholders and the values bound to them, in order.
struct SqlPart
{
    QString sql;
    QVariantList values;

    bool isEmpty() const { return sql.isEmpty(); }
};

// The filter of the registration list (the fields of QueryFilter) and its SQL.
//
// The filter renders the conditions the navigation trees append after their own
// WHERE clause, always as SQL with placeholders plus bound values:
// - conditions(): on the columns of 压覆 without a prefix (the list filter);
// - joinedConditions(): "资源储量.矿产代码 = ?" followed by the same conditions on
//   "压覆."-prefixed columns, for statements that left-join 资源储量 (only when a
//   mineral code is set);
// - listStatement(): the complete statement of the registrations that hold the
//   mineral, with the same prefixed conditions (only when a mineral code is set).
// Text conditions match the typed text literally: the wildcard characters % and _
// typed into a box are escaped.
class RegistrationFilter : public QueryFilter
{
public:
    RegistrationFilter() = default;
    RegistrationFilter(const QueryFilter& fields) : QueryFilter(fields) {}

    // The conditions without prefix, each beginning " AND "; empty without filter.
    SqlPart conditions() const;
    // " AND 资源储量.矿产代码 = ?" and the prefixed conditions; empty without mineral.
    SqlPart joinedConditions() const;
    // The conditions a tree builder appends: joinedConditions() when a mineral code
    // is set, else conditions().
    SqlPart builderConditions() const { return hasMineral() ? joinedConditions() : conditions(); }
    // "SELECT DISTINCT 压覆.登记号 FROM 压覆 LEFT JOIN 资源储量 ... WHERE 资源储量.矿产代码 = ?"
    // with the prefixed conditions; empty without mineral.
    SqlPart listStatement() const;

    bool operator==(const RegistrationFilter&) const = default;

private:
    void appendConditions(SqlPart& part, const QString& prefix) const;
};

// The filter of the running program (ProgramState::Query_Filter): set by the query
// dialog, emptied by the entry window's query button, read by the navigation trees.
QueryFilter& Query_Filter();
