#pragma once

#include <QString>
#include <QStringList>

// The tables an exchange by registration number moves, in the order it moves them.
namespace exchange {

// One overlay registration lives in these six tables, all keyed by 登记号.
inline const QStringList& overlayTables()
{
    static const QStringList tables{QStringLiteral("登记"),     QStringLiteral("压覆"),
                                    QStringLiteral("报告"),     QStringLiteral("质量"),
                                    QStringLiteral("资源储量"), QStringLiteral("坐标")};
    return tables;
}

} // namespace exchange
