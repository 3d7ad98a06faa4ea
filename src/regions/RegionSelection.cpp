#include "RegionSelection.h"

namespace regions {

const QStringList& kindTables(bool allKinds)
{
    static const QStringList all{QStringLiteral("查明"), QStringLiteral("占用"), QStringLiteral("停办"),
                                 QStringLiteral("压覆")};
    static const QStringList overlay{QStringLiteral("压覆")};
    return allKinds ? all : overlay;
}

const QStringList& detailTables()
{
    static const QStringList tables{QStringLiteral("登记"), QStringLiteral("报告"), QStringLiteral("质量"),
                                    QStringLiteral("资源储量"), QStringLiteral("坐标")};
    return tables;
}

QStringList importTables(bool allKinds)
{
    return kindTables(allKinds) + detailTables();
}

QString Region_Prefix(const QString& code)
{
    const QString c = code.trimmed();
    if (c.endsWith(QLatin1String("0000"))) return c.left(2);
    if (c.endsWith(QLatin1String("00"))) return c.left(4);
    return c;
}

bool isRegionCode(const QString& code)
{
    const QString c = code.trimmed();
    for (const QChar ch : c)
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9')) return false;
    const qsizetype n = Region_Prefix(c).size();
    return c.size() <= 6 && (n == 2 || n == 4 || n == 6);
}

RegionCondition regionCondition(const QString& column, const QString& prefix)
{
    switch (prefix.size()) {
    case 2:
    case 4:
        return {QStringLiteral("substr(%1,1,%2)=?").arg(column).arg(prefix.size()), {prefix}};
    case 6:
        return {column + QStringLiteral("=?"), {prefix.toLongLong()}};
    default:
        return {};
    }
}

QString regionCodeOf(const QString& prefix)
{
    if (prefix.size() == 2) return prefix + QStringLiteral("0000");
    if (prefix.size() == 4) return prefix + QStringLiteral("00");
    return prefix;
}

QString badCodeMessage()
{
    return QStringLiteral("行政区代码应为2位、4位或6位数字！");
}

} // namespace regions
