#include "registration/navigation/NAVIGATE.h"

#include <QSqlQuery>
#include <QVariant>

namespace NAVIGATE {

namespace {

QString text(const QVariant& v)
{
    return v.isNull() ? QString() : v.toString();
}

// A region code taken from a tree key is compared with the numeric column as a number.
QVariant regionValue(const QString& code)
{
    bool ok = false;
    const qlonglong n = code.trimmed().toLongLong(&ok);
    return ok ? QVariant(n) : QVariant(code);
}

Result<TreeNodes> flatList(const QSqlDatabase& db, const QString& sql, const QVariantList& values)
{
    Db::Error error;
    auto q = Db::exec(db, sql, values, &error);
    if (!q) return error;
    TreeNodes nodes;
    while (q->next()) {
        const QString djh = text(q->value(0));
        nodes.append({djh, djh, djh, QString()});
    }
    if (!Db::finished(*q, &error)) return error;
    nodes.append({QString(), ClosingText, ClosingText, QString()});
    return nodes;
}

Result<TreeNodes> flatRegistrations(const QSqlDatabase& db, const QString* regionCode,
                                    const RegistrationFilter& filter)
{
    const SqlPart cond = filter.builderConditions();
    QString sql =
        filter.hasMineral()
            ? QStringLiteral(
                  "SELECT DISTINCT 压覆.登记号 FROM 压覆 LEFT JOIN 资源储量 ON (压覆.登记号=资源储量.登记号) "
                  "WHERE 1=1")
            : QStringLiteral("SELECT 登记号 FROM 压覆 WHERE 1=1");
    QVariantList values;
    if (regionCode) {
        sql += QStringLiteral(" AND 压覆.行政区代码=?");
        values << regionValue(*regionCode);
    }
    sql += cond.sql + QStringLiteral(" ORDER BY 压覆.登记号");
    values += cond.values;
    return flatList(db, sql, values);
}

} // namespace

SqlPart Mine_Tree_Query(const QString* regionCode, const RegistrationFilter& filter)
{
    const SqlPart cond = filter.builderConditions();
    QString sql = QStringLiteral(
        "SELECT DISTINCT 压覆.矿区编号, 压覆.矿区名称, iif(压覆.所属矿山编号 IS NULL,0,压覆.所属矿山编号) AS "
        "矿山编号, "
        "iif(压覆.建设项目名称 IS NULL,压覆.登记号,压覆.建设项目名称) AS 名称, 压覆.登记号 FROM 压覆");
    if (filter.hasMineral()) sql += QStringLiteral(" LEFT JOIN 资源储量 ON (压覆.登记号=资源储量.登记号)");
    sql += QStringLiteral(" WHERE 压覆.矿区编号 IS NOT NULL AND 压覆.矿区编号<>''");
    QVariantList values;
    if (regionCode) {
        sql += QStringLiteral(" AND 压覆.行政区代码=?");
        values << regionValue(*regionCode);
    }
    sql += cond.sql +
           QStringLiteral(
               " ORDER BY 压覆.矿区编号, iif(压覆.所属矿山编号 IS NULL,0,压覆.所属矿山编号), 压覆.登记号");
    values += cond.values;
    return {sql, values};
}

namespace {

Result<TreeNodes> mineTree(const QSqlDatabase& db, const QString* regionCode, const RegistrationFilter& filter,
                           const QString& viewFlag)
{
    const SqlPart query = Mine_Tree_Query(regionCode, filter);
    Db::Error error;
    auto q = Db::exec(db, query.sql, query.values, &error);
    if (!q) return error;
    TreeNodes nodes;
    const bool byNumber = viewFlag == QStringLiteral("0");
    // The keys of the open area and mine are made when they open, not per row: a
    // list of a large database has hundreds of thousands of rows.
    QString prevArea, prevMine, prevDjh, areaKey, mineKey;
    QVariant prevMineValue; // the mine number as read, made text only when it changes
    bool first = true;
    while (q->next()) {
        const QString area = text(q->value(0)).trimmed();
        const QVariant mineValue = q->value(2);
        const QString djh = text(q->value(4));

        // The first row always opens a mining area.
        const bool newArea = first || area != prevArea;
        const bool mineRead = newArea || mineValue != prevMineValue;
        const QString mine = mineRead ? text(mineValue).trimmed() : prevMine;
        const bool newMine = newArea || mine != prevMine;
        const bool newReg = newMine || djh != prevDjh;
        if (newArea) {
            areaKey = QStringLiteral("A") + area;
            const QString areaName = text(q->value(1));
            nodes.append(byNumber ? TreeNode{areaKey, area, areaName, QString()}
                                  : TreeNode{areaKey, areaName, area, QString()});
        }
        if (newMine) {
            mineKey = QStringLiteral("B") + area + mine;
            nodes.append({mineKey, mine, mine, areaKey});
        }
        if (newReg) {
            const QString regKey = QStringLiteral("C") + djh;
            const QString name = text(q->value(3));
            nodes.append(byNumber ? TreeNode{regKey, djh, name, mineKey}
                                  : TreeNode{regKey, name, djh, mineKey});
        }
        prevArea = area;
        prevMine = mine;
        prevMineValue = mineValue;
        prevDjh = djh;
        first = false;
    }
    if (!Db::finished(*q, &error)) return error;
    return nodes;
}

} // namespace

Result<TreeNodes> Load_Tree_DJH(const QSqlDatabase& db, const RegistrationFilter& filter)
{
    return flatRegistrations(db, nullptr, filter);
}

Result<TreeNodes> Load_Tree_DJH_XZQ(const QSqlDatabase& db, const QString& regionCode,
                                    const RegistrationFilter& filter)
{
    return flatRegistrations(db, &regionCode, filter);
}

Result<TreeNodes> Load_Tree_XZQ(const QSqlDatabase& db, const RegistrationFilter& filter)
{
    // Counties, their cities (code / 100 * 100) and provinces (code / 10000 * 10000)
    // from cb08. A region code that cb08 does not know is left out, with or without
    // the mineral join. A county whose city has no row of its own (the districts of
    // the municipalities, county-level units under a province) stands directly
    // under its province.
    const SqlPart cond = filter.builderConditions();
    QString sql = QStringLiteral(
        "SELECT DISTINCT xxx.MC AS 省名称, xxx.DM AS 省代码, xx.MC AS 市名称, xx.DM AS 市代码, "
        "x.MC AS 县名称, x.DM AS 县代码 FROM 压覆 "
        "JOIN cb08 AS x ON (x.DM=压覆.行政区代码) "
        "LEFT JOIN cb08 AS xx ON (xx.DM=CAST(substr(压覆.行政区代码,1,4) AS INTEGER)*100) "
        "JOIN cb08 AS xxx ON (xxx.DM=CAST(substr(压覆.行政区代码,1,2) AS INTEGER)*10000)");
    if (filter.hasMineral()) sql += QStringLiteral(" LEFT JOIN 资源储量 ON (压覆.登记号=资源储量.登记号)");
    sql += QStringLiteral(" WHERE 1=1") + cond.sql + QStringLiteral(" ORDER BY xxx.DM, xx.DM, x.DM");

    Db::Error error;
    auto q = Db::exec(db, sql, cond.values, &error);
    if (!q) return error;
    TreeNodes nodes;
    QString prevProvince, prevCity, prevCounty;
    bool prevHasCity = false;
    bool first = true;
    while (q->next()) {
        const QString province = text(q->value(0));
        const QString provinceCode = text(q->value(1));
        const QString city = text(q->value(2));
        const QString cityCode = text(q->value(3));
        const bool hasCity = !q->value(3).isNull();
        const QString county = text(q->value(4));
        const QString countyCode = text(q->value(5));
        const QString provinceKey = QStringLiteral("A") + provinceCode;
        const QString cityKey = QStringLiteral("B") + cityCode;
        const auto label = [](const QString& name, const QString& code) {
            return name + QStringLiteral("(") + code + QStringLiteral(")");
        };

        // Groups change on names; the first row always opens a province.
        const bool newProvince = first || province != prevProvince;
        const bool newCity = newProvince || hasCity != prevHasCity || city != prevCity;
        const bool newCounty = newCity || county != prevCounty;
        if (newProvince) nodes.append({provinceKey, label(province, provinceCode), QString(), QString()});
        if (newCity && hasCity) nodes.append({cityKey, label(city, cityCode), QString(), provinceKey});
        if (newCounty) {
            nodes.append({QStringLiteral("C") + countyCode, label(county, countyCode), QString(),
                          hasCity ? cityKey : provinceKey});
        }
        prevProvince = province;
        prevCity = city;
        prevHasCity = hasCity;
        prevCounty = county;
        first = false;
    }
    if (!Db::finished(*q, &error)) return error;
    return nodes;
}

Result<TreeNodes> Load_Tree_KQ(const QSqlDatabase& db, const RegistrationFilter& filter,
                               const QString& viewFlag)
{
    return mineTree(db, nullptr, filter, viewFlag);
}

Result<TreeNodes> Load_Tree_KQ_XZQ(const QSqlDatabase& db, const QString& regionCode,
                                   const RegistrationFilter& filter, const QString& viewFlag)
{
    return mineTree(db, &regionCode, filter, viewFlag);
}

Result<TreeNodes> All_Registrations(const QSqlDatabase& db)
{
    return flatList(db,
                    QStringLiteral("SELECT 登记号 FROM 登记 WHERE substr(登记号,1,1)='4' ORDER BY 登记号"),
                    {});
}

bool Has_Swappable_Labels(const QString& mode)
{
    return mode != ModeDJH && mode != ModeXZQ_DJH;
}

void Swap_Labels(TreeNodes& nodes)
{
    for (TreeNode& n : nodes)
        std::swap(n.text, n.tag);
}

bool Is_Mine_Mode(const QString& mode)
{
    return mode != ModeDJH && mode != ModeXZQ_DJH;
}

QString Node_Registration(const QString& mode, const QString& key, const QString& text)
{
    return Is_Mine_Mode(mode) ? key.mid(1) : text;
}

bool Key_Has_Suffix(const QString& key, const QString& value, int length)
{
    // A view, not a copy: the keys of a large list are many.
    return !value.isEmpty() && !key.isEmpty() && QStringView(key).right(length) == value;
}

} // namespace NAVIGATE
