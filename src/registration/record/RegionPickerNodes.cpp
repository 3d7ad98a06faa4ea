#include "registration/record/RegionPickerNodes.h"

#include <QSet>

namespace RegionPickerNodes {

Result<Nodes> Load_Region_Picker(const QSqlDatabase& db, int provinceCode)
{
    Db::Error error;
    Nodes nodes;
    const QString prefix = QString::number(provinceCode).left(2);
    auto query = Db::exec(db,
                          QStringLiteral("SELECT CAST(DM AS TEXT), MC FROM cb08 "
                                         "WHERE substr(CAST(DM AS TEXT), 1, 2) = ? ORDER BY DM"),
                          {prefix}, &error);
    if (!query) return error;

    struct Row
    {
        QString code, name;
    };
    QList<Row> counties;
    QSet<QString> cities;
    QString provinceKey;
    int running = 0;
    while (query->next()) {
        const QString code = query->value(0).toString();
        const QString name = query->value(1).toString();
        if (code.startsWith(QLatin1String("20")) || code.startsWith(QLatin1String("30"))) continue;
        if (code.endsWith(QLatin1String("0000"))) {
            if (code.startsWith(QLatin1String("10"))) continue;
            provinceKey = QStringLiteral("A") + code.left(2);
            nodes.append({provinceKey, name, QString()});
        } else if (code.endsWith(QLatin1String("00"))) {
            const QString cityKey = QStringLiteral("B") + code.left(4);
            cities.insert(code.left(4));
            nodes.append({cityKey, name, QStringLiteral("A") + code.left(2)});
            nodes.append({QStringLiteral("C") + QString::number(running++), Placeholder, cityKey});
        } else {
            counties.append({code, name});
        }
    }
    if (!Db::finished(*query, &error)) return error;
    for (const Row& r : counties) {
        if (!cities.contains(r.code.left(4)))
            nodes.append({QStringLiteral("C") + r.code, r.name, Parent_Key(r.code, false)});
    }
    return nodes;
}

Result<Nodes> Load_Counties(const QSqlDatabase& db, const QString& cityKey)
{
    Db::Error error;
    Nodes nodes;
    auto query = Db::exec(
        db,
        QStringLiteral("SELECT CAST(DM AS TEXT), MC FROM cb08 WHERE substr(CAST(DM AS TEXT), -2) <> '00' "
                       "AND substr(CAST(DM AS TEXT), 1, 4) = ? ORDER BY DM"),
        {cityKey.mid(1)}, &error);
    if (!query) return error;
    while (query->next()) {
        nodes.append({QStringLiteral("C") + query->value(0).toString(), query->value(1).toString(), cityKey});
    }
    if (!Db::finished(*query, &error)) return error;
    return nodes;
}

QString Parent_Key(const QString& code, bool cityListed)
{
    return cityListed ? QStringLiteral("B") + code.left(4) : QStringLiteral("A") + code.left(2);
}

QString Region_Box_Text(const QString& key)
{
    return key.trimmed().mid(1) + QStringLiteral("   ");
}

} // namespace RegionPickerNodes
