#pragma once

#include "support/ProgramFolder.h"

#include "registration/coordgrid/CoordGridModel.h"
#include "registration/record/EntryValues.h"
#include "registration/record/StatDatabase.h"

#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>

#include <cmath>
#include <optional>
#include <ostream>
#include <vector>

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

// A grid from data rows of five cells (拐点号, X, Y, 矿体标识, 性质), plus the
// heading row and the trailing blank row.
inline CoordGridModel makeGrid(const QList<QStringList>& rows)
{
    CoordGridModel g;
    g.setRows(int(rows.size()) + 2);
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows[r].size() && c < 5; ++c)
            g.setTextMatrix(r + 1, c + 1, rows[r][c]);
    }
    g.renumber();
    return g;
}

// A closed plane ring of `corners` corners around a point of zone 39, then "*".
inline QList<QStringList> planeRing(int corners, double x0 = 4400000, double y0 = 39500000)
{
    QList<QStringList> rows;
    for (int i = 0; i < corners; ++i) {
        const double a = 6.2831853 * i / corners;
        rows.append({QString::number(i + 1), QString::number(x0 + 1000 * std::cos(a), 'f', 2),
                     QString::number(y0 + 1000 * std::sin(a), 'f', 2)});
    }
    rows.append({QStringLiteral("*"), QStringLiteral("100"), QStringLiteral("50"), QStringLiteral("1"),
                 QStringLiteral("1")});
    return rows;
}

// A statistics database that answers as told and records what it was asked.
struct FakeStat : StatDatabase
{
    int answer = Found;
    mutable int calls = 0;
    mutable QString kqbh;
    mutable std::optional<int> djflbh;
    mutable int year = 0;
    mutable int previousYear = 0;

    int findMine(const QString& k, std::optional<int> d, int y, int py) const override
    {
        ++calls;
        kqbh = k;
        djflbh = d;
        year = y;
        previousYear = py;
        return answer;
    }
};

// Values of a registration that passes every check.
inline EntryValues validValues(const QString& djh = QStringLiteral("4110101082001"))
{
    using A = FormControl::Array;
    EntryValues v;
    v.setText(A::Kn1Data, 0, djh);
    v.setText(A::Kn1Data, 3, QStringLiteral("2008"));
    v.setText(A::Kn1Data, 4, QStringLiteral("5"));
    v.setText(A::Kn1Data, 5, QStringLiteral("1"));
    v.setText(A::Kn2Data, 1, QStringLiteral("110101"));
    return v;
}
