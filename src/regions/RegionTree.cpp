#include "RegionTree.h"

#include "RegionSelection.h"
#include "exchange/TableCopier.h"

#include <QSet>
#include <QSqlError>

#include <algorithm>

namespace regions {

RegionNames::RegionNames(const QSqlDatabase& db)
{
    auto q = Db::exec(db, QStringLiteral("SELECT DM, MC FROM cb08"));
    if (!q) return;
    while (q->next())
        m_names.insert(q->value(0).toLongLong(), q->value(1).toString());
}

QString RegionNames::Get_Region_Name(const QString& code) const
{
    bool ok = false;
    const qint64 n = code.toLongLong(&ok);
    return ok && m_names.contains(n) ? m_names.value(n) : code;
}

bool RegionNames::contains(const QString& code) const
{
    bool ok = false;
    const qint64 n = code.toLongLong(&ok);
    return ok && m_names.contains(n);
}

QStringList regionCodes(const QSqlDatabase& db, bool allKinds)
{
    QList<qint64> numbers;
    QSet<qint64> seen;
    for (const QString& kind : kindTables(allKinds)) {
        auto q = Db::exec(db, QStringLiteral("SELECT DISTINCT 行政区代码 FROM ") + Db::quotedName(kind) +
                                  QStringLiteral(" ORDER BY 行政区代码"));
        if (!q) continue;
        while (q->next()) {
            bool ok = false;
            const qint64 n = q->value(0).toString().trimmed().toLongLong(&ok);
            if (!ok || n == 0 || seen.contains(n)) continue;
            seen.insert(n);
            numbers << n;
        }
    }
    std::sort(numbers.begin(), numbers.end());
    QStringList codes;
    for (qint64 n : numbers)
        codes << QString::number(n);
    return codes;
}

RegionPickerNodes::Nodes Load_Region_Tree(const QSqlDatabase& db, bool allKinds)
{
    const RegionNames names(db);
    RegionPickerNodes::Nodes nodes;
    QSet<QString> keys;
    auto add = [&](const QString& key, const QString& code, const QString& parent) {
        if (keys.contains(key)) return;
        keys.insert(key);
        nodes.append({key, names.Get_Region_Name(code), parent});
    };
    for (const QString& code : regionCodes(db, allKinds)) {
        const QString province = QStringLiteral("A") + code.left(2);
        add(province, code.left(2) + QStringLiteral("0000"), QString());
        const QString city = code.left(4) + QStringLiteral("00");
        const bool cityListed = names.contains(city);
        if (cityListed) add(QStringLiteral("B") + code.left(4), city, province);
        add(QStringLiteral("C") + code, code, RegionPickerNodes::Parent_Key(code, cityListed));
    }
    return nodes;
}

} // namespace regions
