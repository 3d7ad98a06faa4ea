#pragma once

#include <QChar>
#include <QList>
#include <QString>

// The kinds a deduction row can deduct from, by the first character of its 原登记号.
struct DeductionKind
{
    QChar digit;     // first character of the deducted registration number
    QString table;   // kind table
    QString scratch; // its copy holding the late-registration rows as well
    bool hasMine;    // the kind has a mine number (所属矿山编号)
    int classBase;   // registration class: the base, plus the mine number where there is one
};

// In the order the deduction check reports them.
inline const QList<DeductionKind>& deductionKinds()
{
    static const QList<DeductionKind> kinds = {
        {QChar(u'1'), QStringLiteral("查明"), QStringLiteral("查明临时表"), false, 1000},
        {QChar(u'2'), QStringLiteral("占用"), QStringLiteral("占用临时表"), true, 2000},
        {QChar(u'3'), QStringLiteral("停办"), QStringLiteral("停办临时表"), true, 3000},
        {QChar(u'4'), QStringLiteral("压覆"), QStringLiteral("压覆临时表"), true, 4000},
    };
    return kinds;
}
