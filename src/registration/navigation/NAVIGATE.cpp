#include "registration/navigation/NAVIGATE.h"

#include <QVariant>

#include <atomic>
#include <string>
#include <string_view>

namespace NAVIGATE {

namespace {

// A region code taken from a tree key is compared with the numeric column as a number.
QVariant regionValue(const QString& code)
{
    bool ok = false;
    const qlonglong n = code.trimmed().toLongLong(&ok);
    return ok ? QVariant(n) : QVariant(code);
}

// A value without the blanks around it, as QString::trimmed() takes them off: the
// blanks of ASCII here, any other in the rare value that begins or ends with one.
QUtf8StringView trimmed(QUtf8StringView v, QByteArray& scratch)
{
    const auto blank = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    qsizetype from = 0, to = v.size();
    while (from < to && blank(v.data()[from]))
        ++from;
    while (to > from && blank(v.data()[to - 1]))
        --to;
    v = v.sliced(from, to - from);
    if (!v.isEmpty() && (uchar(v.data()[0]) >= 0x80 || uchar(v.data()[v.size() - 1]) >= 0x80)) {
        scratch = v.toString().trimmed().toUtf8();
        return QUtf8StringView(scratch.constData(), scratch.size());
    }
    return v;
}

bool same(const std::string& before, QUtf8StringView now)
{
    return std::string_view(before) == std::string_view(now.data(), size_t(now.size()));
}

void keep(std::string& before, QUtf8StringView now)
{
    before.assign(now.data(), size_t(now.size()));
}

// The size of the last table a builder made, for the room of the next: the same list
// read again is about as long, and a table that grows row by row is moved in memory
// again and again.
class SizeHint
{
public:
    void reserve(NodeTable& nodes) const { nodes.reserve(m_nodes, m_characters); }
    void keep(const NodeTable& nodes)
    {
        m_nodes = nodes.size();
        m_characters = nodes.characters();
    }

private:
    std::atomic<qsizetype> m_nodes{0}, m_characters{0};
};

Result<NodeTable> flatList(const QSqlDatabase& db, const QString& sql, const QVariantList& values)
{
    static SizeHint hint;
    Db::Rows rows(db, sql, values);
    NodeTable nodes;
    hint.reserve(nodes);
    while (rows.next()) {
        const NodeTable::Text djh = nodes.put(rows.text(0));
        nodes.add(djh, djh, djh, -1);
    }
    Db::Error error;
    if (!rows.finished(&error)) return error;
    nodes.addClosing();
    hint.keep(nodes);
    return nodes;
}

} // namespace

SqlPart Registration_List_Query(const QString* regionCode, const RegistrationFilter& filter)
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
    return {sql, values};
}

SqlPart Region_Tree_Query(const RegistrationFilter& filter)
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
    return {sql, cond.values};
}

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

Result<NodeTable> mineTree(const QSqlDatabase& db, const QString* regionCode,
                           const RegistrationFilter& filter, const QString& viewFlag)
{
    const SqlPart query = Mine_Tree_Query(regionCode, filter);
    static SizeHint hint;
    Db::Rows rows(db, query.sql, query.values);
    NodeTable nodes;
    hint.reserve(nodes);
    const bool byNumber = viewFlag == QStringLiteral("0");
    std::string prevArea, prevMine, prevDjh;
    QByteArray areaScratch, mineScratch;
    int areaNode = -1, mineNode = -1;
    qint32 areaLength = 0; // of the open area's number, in the keys below it
    bool first = true;
    while (rows.next()) {
        const QUtf8StringView area = trimmed(rows.text(0), areaScratch);
        const QUtf8StringView mine = trimmed(rows.text(2), mineScratch);
        const QUtf8StringView djh = rows.text(4);

        // The first row always opens a mining area. The texts of a node are its key
        // without the level letter (and, for a mine, without the area's number).
        const bool newArea = first || !same(prevArea, area);
        const bool newMine = newArea || !same(prevMine, mine);
        const bool newReg = newMine || !same(prevDjh, djh);
        if (newArea) {
            const NodeTable::Text key = nodes.putKey(u'A', area);
            const NodeTable::Text number{key.at + 1, key.size - 1};
            const NodeTable::Text name = nodes.put(rows.text(1));
            areaNode = nodes.add(key, byNumber ? number : name, byNumber ? name : number, -1);
            areaLength = number.size;
            keep(prevArea, area);
        }
        if (newMine) {
            const NodeTable::Text key = nodes.putKey(u'B', area, mine);
            const NodeTable::Text number{key.at + 1 + areaLength, key.size - 1 - areaLength};
            mineNode = nodes.add(key, number, number, areaNode);
            keep(prevMine, mine);
        }
        if (newReg) {
            const NodeTable::Text key = nodes.putKey(u'C', djh);
            const NodeTable::Text number{key.at + 1, key.size - 1};
            const NodeTable::Text name = nodes.put(rows.text(3));
            nodes.add(key, byNumber ? number : name, byNumber ? name : number, mineNode);
            keep(prevDjh, djh);
        }
        first = false;
    }
    Db::Error error;
    if (!rows.finished(&error)) return error;
    hint.keep(nodes);
    return nodes;
}

} // namespace

Result<NodeTable> Load_Tree_DJH(const QSqlDatabase& db, const RegistrationFilter& filter)
{
    const SqlPart query = Registration_List_Query(nullptr, filter);
    return flatList(db, query.sql, query.values);
}

Result<NodeTable> Load_Tree_DJH_XZQ(const QSqlDatabase& db, const QString& regionCode,
                                    const RegistrationFilter& filter)
{
    const SqlPart query = Registration_List_Query(&regionCode, filter);
    return flatList(db, query.sql, query.values);
}

Result<NodeTable> Load_Tree_XZQ(const QSqlDatabase& db, const RegistrationFilter& filter)
{
    const SqlPart query = Region_Tree_Query(filter);
    Db::Rows rows(db, query.sql, query.values);
    NodeTable nodes;
    const auto label = [&nodes](QUtf8StringView name, QUtf8StringView code) {
        const NodeTable::Text first = nodes.put(name);
        nodes.put(QUtf8StringView("("));
        nodes.put(code);
        const NodeTable::Text last = nodes.put(QUtf8StringView(")"));
        return NodeTable::Text{first.at, last.at + last.size - first.at};
    };
    std::string prevProvince, prevCity, prevCounty;
    bool prevHasCity = false;
    int provinceNode = -1, cityNode = -1;
    bool first = true;
    while (rows.next()) {
        const QUtf8StringView province = rows.text(0);
        const QUtf8StringView city = rows.text(2);
        const bool hasCity = !rows.isNull(3);
        const QUtf8StringView county = rows.text(4);

        // Groups change on names; the first row always opens a province.
        const bool newProvince = first || !same(prevProvince, province);
        const bool newCity = newProvince || hasCity != prevHasCity || !same(prevCity, city);
        const bool newCounty = newCity || !same(prevCounty, county);
        if (newProvince) {
            const NodeTable::Text key = nodes.putKey(u'A', rows.text(1));
            provinceNode = nodes.add(key, label(province, rows.text(1)), {}, -1);
        }
        if (newCity && hasCity) {
            const NodeTable::Text key = nodes.putKey(u'B', rows.text(3));
            cityNode = nodes.add(key, label(city, rows.text(3)), {}, provinceNode);
        }
        if (newCounty) {
            const NodeTable::Text key = nodes.putKey(u'C', rows.text(5));
            nodes.add(key, label(county, rows.text(5)), {}, hasCity ? cityNode : provinceNode);
        }
        keep(prevProvince, province);
        keep(prevCity, city);
        prevHasCity = hasCity;
        keep(prevCounty, county);
        first = false;
    }
    Db::Error error;
    if (!rows.finished(&error)) return error;
    return nodes;
}

Result<NodeTable> Load_Tree_KQ(const QSqlDatabase& db, const RegistrationFilter& filter,
                               const QString& viewFlag)
{
    return mineTree(db, nullptr, filter, viewFlag);
}

Result<NodeTable> Load_Tree_KQ_XZQ(const QSqlDatabase& db, const QString& regionCode,
                                   const RegistrationFilter& filter, const QString& viewFlag)
{
    return mineTree(db, &regionCode, filter, viewFlag);
}

Result<NodeTable> All_Registrations(const QSqlDatabase& db)
{
    return flatList(
        db, QStringLiteral("SELECT 登记号 FROM 登记 WHERE substr(登记号,1,1)='4' ORDER BY 登记号"), {});
}

bool Has_Swappable_Labels(const QString& mode)
{
    return mode != ModeDJH && mode != ModeXZQ_DJH;
}

void Swap_Labels(NodeTable& nodes)
{
    nodes.swapLabels();
}

bool Is_Mine_Mode(const QString& mode)
{
    return mode != ModeDJH && mode != ModeXZQ_DJH;
}

QString Node_Registration(const QString& mode, const QString& key, const QString& text)
{
    return Is_Mine_Mode(mode) ? key.mid(1) : text;
}

bool Key_Has_Suffix(QStringView key, QStringView value, int length)
{
    return !value.isEmpty() && !key.isEmpty() && key.right(length) == value;
}

} // namespace NAVIGATE
