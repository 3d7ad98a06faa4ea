#include "SampleRegistrations.h"

#include <QFile>
#include <QHash>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

namespace SampleRegistrations {

namespace {

struct County
{
    int code = 0;
    QString name;
};

struct Mineral
{
    int code = 0;
    int object = 0;
    bool metal = false; // both the metal and the ore amount are kept
    QList<int> types;
    QList<int> grades;
    QList<QPair<QString, QString>> items; // component name and unit
};

struct Area
{
    QString number;
    QString name;
    int county = 0;
};

const QStringList kSurnames = {"王", "李", "张", "刘", "陈", "杨", "赵", "黄",
                               "周", "吴", "徐", "孙", "马", "朱", "胡"};
const QStringList kGiven = {"伟", "芳", "娜", "敏", "静", "强", "磊", "军",
                            "洋", "勇", "艳", "杰", "涛", "明", "超"};
const QStringList kProjects = {"高速公路", "铁路", "水库",       "水电站", "输油管道",   "机场",
                               "工业园区", "新区", "输变电工程", "港口",   "城市快速路", "引水工程"};
const QStringList kOreWords = {"铁矿区",     "铜矿区",   "煤矿区", "金矿区",
                               "石灰岩矿区", "铅锌矿区", "磷矿区", "萤石矿区"};
const QStringList kUnits = {"地质调查院", "地质勘查院", "国土资源局", "矿产资源储量评审中心",
                            "地质矿产勘查开发局"};

class Generator
{
public:
    Generator(const QSqlDatabase& db, const Options& o) : m_db(db), m_rand(o.seed), m_count(o.count) {}

    bool run(Db::Error* error);

private:
    bool loadDictionaries();
    bool prepare(QSqlQuery& q, const QString& table, const QStringList& columns);
    bool insert(QSqlQuery& q, const QVariantList& values);
    void addRegistration(int index);
    void addCoordinates(const QString& djh, double lon, double lat);
    void addMinerals(const QString& djh, const QString& areaNumber);
    QString coordinateText(double lon, double lat, bool geographic);

    int pick(int n) { return int(m_rand.bounded(n)); }
    bool chance(double p) { return m_rand.generateDouble() < p; }
    double between(double a, double b) { return a + (b - a) * m_rand.generateDouble(); }
    template <class T> const T& any(const QList<T>& list) { return list.at(pick(int(list.size()))); }
    QString person() { return any(kSurnames) + any(kGiven) + (chance(0.5) ? any(kGiven) : QString()); }
    QString dateText(int year, bool withDay = true);

    QSqlDatabase m_db;
    QRandomGenerator m_rand;
    int m_count = 0;
    QString m_failure;

    QList<County> m_counties;
    QHash<int, QString> m_regionNames;
    QList<Mineral> m_minerals;
    QStringList m_projectKinds;
    QStringList m_combinations;             // 矿产组合 names by 表内码 1 to 5
    QHash<int, QList<int>> m_areasOfCounty; // county -> indices into m_areas
    QList<Area> m_areas;
    QHash<QString, int> m_serials; // first ten characters of a number -> last serial
    QStringList m_numbers;

    QSqlQuery m_dj, m_yf, m_bg, m_zb, m_zl, m_zycl;
};

QString Generator::dateText(int year, bool withDay)
{
    QString t =
        QString::number(year) + QStringLiteral("年") + QString::number(1 + pick(12)) + QStringLiteral("月");
    if (withDay) t += QString::number(1 + pick(28)) + QStringLiteral("日");
    return t;
}

bool Generator::loadDictionaries()
{
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    // Counties whose city and province are in cb08, so that they show in the region tree.
    if (!q.exec(QStringLiteral(
            "SELECT x.DM, x.MC FROM cb08 x WHERE x.DM % 100 <> 0 "
            "AND EXISTS (SELECT 1 FROM cb08 c WHERE c.DM = x.DM / 100 * 100) "
            "AND EXISTS (SELECT 1 FROM cb08 p WHERE p.DM = x.DM / 10000 * 10000) ORDER BY x.DM")))
        return false;
    while (q.next())
        m_counties.append({q.value(0).toInt(), q.value(1).toString()});
    if (!q.exec(QStringLiteral("SELECT DM, MC FROM cb08"))) return false;
    while (q.next())
        m_regionNames.insert(q.value(0).toInt(), q.value(1).toString());

    if (!q.exec(
            QStringLiteral("SELECT 矿产代码, 统计对象, 计算单位标识 FROM cb06 ORDER BY 矿产代码, 统计对象")))
        return false;
    while (q.next()) {
        Mineral m;
        m.code = q.value(0).toInt();
        m.object = q.value(1).toInt();
        m.metal = q.value(2).toInt() != 0;
        m_minerals.append(m);
    }
    for (Mineral& m : m_minerals) {
        QSqlQuery d(m_db);
        d.prepare(QStringLiteral(
            "SELECT 矿石类型 FROM cb02 WHERE 矿产代码 = ? AND 矿石类型 NOT IN (70000, 70010)"));
        d.addBindValue(m.code);
        if (d.exec())
            while (d.next())
                m.types.append(d.value(0).toInt());
        if (m.types.isEmpty()) m.types.append(70010);
        d.prepare(
            QStringLiteral("SELECT 矿石品级 FROM cb03 WHERE 矿产代码 = ? AND 矿石品级 NOT IN (13, 30, 500) "
                           "AND 矿石品级 < 50"));
        d.addBindValue(m.code);
        if (d.exec())
            while (d.next())
                m.grades.append(d.value(0).toInt());
        if (m.grades.isEmpty()) m.grades.append(32);
        d.prepare(QStringLiteral("SELECT DISTINCT 品质, 品质单位名 FROM cb04 WHERE 矿产代码 = ?"));
        d.addBindValue(m.code);
        if (d.exec())
            while (d.next())
                m.items.append({d.value(0).toString(), d.value(1).toString()});
        if (m.items.isEmpty()) m.items.append({QStringLiteral("品位"), QStringLiteral("%")});
    }
    if (!q.exec(QStringLiteral("SELECT 名称 FROM cb01 WHERE 表号 = 42 AND 表内码 <> 0 ORDER BY 表内码")))
        return false;
    while (q.next())
        m_projectKinds.append(q.value(0).toString());
    if (!q.exec(QStringLiteral(
            "SELECT 名称 FROM cb01 WHERE 表号 = 16 AND 表内码 BETWEEN 1 AND 5 ORDER BY 表内码")))
        return false;
    while (q.next())
        m_combinations.append(q.value(0).toString());
    return !m_counties.isEmpty() && !m_minerals.isEmpty() && !m_projectKinds.isEmpty() &&
           m_combinations.size() == 5;
}

bool Generator::prepare(QSqlQuery& q, const QString& table, const QStringList& columns)
{
    q = QSqlQuery(m_db);
    QStringList marks;
    for (int i = 0; i < columns.size(); ++i)
        marks << QStringLiteral("?");
    return q.prepare(QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (") + columns.join(u',') +
                     QStringLiteral(") VALUES (") + marks.join(u',') + QStringLiteral(")"));
}

bool Generator::insert(QSqlQuery& q, const QVariantList& values)
{
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, values.at(i));
    if (q.exec()) return true;
    if (m_failure.isEmpty()) m_failure = q.lastError().text();
    return false;
}

// Degrees as packed degrees-minutes-seconds text DDD.MMSS.
QString dms(double degrees)
{
    int total = int(degrees * 3600.0 + 0.5);
    const int d = total / 3600;
    total %= 3600;
    return QStringLiteral("%1.%2%3")
        .arg(d)
        .arg(total / 60, 2, 10, QChar(u'0'))
        .arg(total % 60, 2, 10, QChar(u'0'));
}

QString Generator::coordinateText(double lon, double lat, bool geographic)
{
    const int rings = 1 + pick(3);
    QString text = QString::number(rings) + u',';
    int point = 1;
    for (int r = 0; r < rings; ++r) {
        const int corners = 4 + pick(5);
        text += QString::number(corners) + u',';
        const double cx = lon + between(-0.05, 0.05), cy = lat + between(-0.05, 0.05);
        const double radius = between(0.005, 0.02);
        for (int c = 0; c < corners; ++c) {
            const double angle = 6.283185307 * c / corners;
            const double x = cx + radius * std::cos(angle), y = cy + radius * std::sin(angle);
            QString xs, ys;
            if (geographic) {
                xs = dms(x);
                ys = dms(y);
            } else {
                // Plane coordinates: northing, and easting with its 3-degree zone in front.
                const int zone = int(x / 3.0 + 0.5);
                xs = QString::number(y * 111000.0, 'f', 2);
                ys = QString::number(zone) + QString::number(500000.0 + (x - zone * 3.0) * 90000.0, 'f', 2);
            }
            text += QString::number(point++) + u',' + xs + u',' + ys + u',';
        }
        const int top = 200 + pick(1500);
        text += QString::number(top) + u',' + QString::number(top - 100 - pick(600)) + u',' +
                QString::number(r + 1) + u',' +
                (r > 0 && chance(0.3) ? QStringLiteral("-1") : QStringLiteral("1")) + u',';
    }
    return text;
}

void Generator::addCoordinates(const QString& djh, double lon, double lat)
{
    const bool geographic = chance(0.7);
    insert(m_zb,
           {djh, coordinateText(lon, lat, geographic), QString::number(between(0.1, 30.0), 'f', 3).toDouble(),
            double(100 + pick(800)), double(900 + pick(1200)), coordinateText(lon, lat, geographic),
            QString::number(between(0.1, 20.0), 'f', 3).toDouble(), double(100 + pick(800)),
            double(900 + pick(1200))});
}

void Generator::addMinerals(const QString& djh, const QString& areaNumber)
{
    static const QStringList reserves = {"111", "121", "122"};
    static const QStringList basics = {"111b", "121b", "122b", "2M11", "2M21", "2M22"};
    static const QStringList resources = {"2S11", "2S21", "2S22", "331", "332", "333", "334"};
    const auto amount = [this](bool present) {
        return present ? QVariant(double(pick(1000000)) / 100.0) : QVariant();
    };
    const int groups = 1 + pick(3);
    int row = 1;
    for (int g = 0; g < groups; ++g, ++row) {
        const Mineral& m = any(m_minerals);
        const int combination = 1 + pick(5);
        const bool average = chance(0.1);
        // Ore types of the group: usually one, sometimes the oxidised ore followed by
        // the mixed ore of the same mineral.
        QList<int> types{any(m.types)};
        if (!average && m.types.contains(10001) && m.types.contains(10002) && chance(0.5))
            types = {10001, 10002};
        const int grade = any(m.grades);
        int item = 1;
        for (int type : types) {
            const int components = 1 + pick(std::min<int>(4, int(m.items.size())));
            for (int c = 0; c < components; ++c) {
                const auto& it = m.items.at(c);
                insert(m_zl, {djh, m.code, m.object, average ? QStringLiteral("平均") : QString::number(type),
                              average ? QStringLiteral("全区") : QString::number(grade), it.first,
                              QString::number(between(0.01, 60.0), 'f', 2).toDouble(), it.second,
                              average ? 1 : 0, 100 * row + item++});
            }
        }
        // Reserve rows of each type and grade.
        int reserveItem = 1;
        for (int type : types) {
            const int lines = 1 + pick(3);
            for (int l = 0; l < lines; ++l) {
                const QString r = chance(0.5) ? any(reserves) : QString();
                const QString b =
                    r.isEmpty() ? (chance(0.5) ? any(basics) : QString()) : r + QStringLiteral("b");
                const QString s = chance(0.6) || (r.isEmpty() && b.isEmpty()) ? any(resources) : QString();
                insert(m_zycl, {djh,
                                m.code,
                                m.object,
                                type,
                                grade,
                                r,
                                amount(!r.isEmpty() && m.metal),
                                amount(!r.isEmpty()),
                                b,
                                amount(!b.isEmpty() && m.metal),
                                amount(!b.isEmpty()),
                                s,
                                amount(!s.isEmpty() && m.metal),
                                amount(!s.isEmpty()),
                                combination,
                                m_combinations.at(combination - 1),
                                QVariant(),
                                100 * row + reserveItem++,
                                QVariant(),
                                QVariant()});
            }
        }
        // Now and then a deduction row naming an earlier registration.
        if (!m_numbers.isEmpty() && chance(0.05)) {
            insert(m_zycl, {djh,
                            m.code,
                            m.object,
                            types.first(),
                            grade,
                            QString(),
                            QVariant(),
                            QVariant(),
                            QString(),
                            QVariant(),
                            QVariant(),
                            QStringLiteral("333"),
                            amount(m.metal),
                            amount(true),
                            combination,
                            m_combinations.at(combination - 1),
                            any(m_numbers),
                            100 * row + reserveItem++,
                            areaNumber.isEmpty() ? QStringLiteral("000000000") : areaNumber,
                            QStringLiteral("4001")});
        }
    }
}

void Generator::addRegistration(int index)
{
    const County& county = any(m_counties);
    const int year = 2005 + pick(20);
    const QString head = QStringLiteral("4") + QString::number(county.code) +
                         QStringLiteral("%1").arg(year % 100, 2, 10, QChar(u'0')) + QStringLiteral("2");
    int serial = m_serials.value(head, 0) + 1;
    if (serial > 999) return; // that region and year are full
    m_serials.insert(head, serial);
    const QString djh = head + QStringLiteral("%1").arg(serial, 3, 10, QChar(u'0'));
    const QString place = county.name;
    const QString cityName = m_regionNames.value(county.code / 100 * 100);

    // Mining area: most registrations share one with an earlier registration of
    // their county; a few have none.
    QString areaNumber, areaName;
    QVariant mineNumber;
    if (!chance(0.03)) {
        QList<int>& areas = m_areasOfCounty[county.code];
        if (areas.isEmpty() || chance(0.4)) {
            const int n = int(areas.size()) + 1;
            Area a{QString::number(county.code) + QStringLiteral("%1").arg(n, 3, 10, QChar(u'0')),
                   place + any(kOreWords).left(1) + QString::number(n) + any(kOreWords), county.code};
            areas.append(int(m_areas.size()));
            m_areas.append(a);
        }
        const Area& a = m_areas.at(any(areas));
        areaNumber = a.number;
        areaName = a.name;
        if (!chance(0.2)) mineNumber = 1 + pick(5);
    }

    const double lon = between(75.0, 132.0), lat = between(20.0, 50.0);
    const QString company = place + any(kProjects) + QStringLiteral("建设有限公司");
    const QVariant project =
        chance(0.05) ? QVariant() : QVariant(place + any(kProjects) + QStringLiteral("工程"));

    insert(m_dj, {djh, person(), person(), dateText(year), cityName + any(kUnits),
                  QStringLiteral("经核实，资料属实。"), person(), cityName + any(kUnits), dateText(year),
                  QStringLiteral("同意登记。"), person(), cityName + any(kUnits), dateText(year),
                  QStringLiteral("准予登记。"), person(), place + any(kUnits), dateText(year, chance(0.9))});
    insert(m_yf, {djh,
                  company,
                  county.code,
                  place + QStringLiteral("人民路") + QString::number(1 + pick(300)) + u'号',
                  QString::number(100000 + pick(800000)),
                  QStringLiteral("0%1-%2").arg(10 + pick(900)).arg(2000000 + pick(7000000)),
                  QStringLiteral("office%1@example.cn").arg(index),
                  project,
                  any(m_projectKinds),
                  cityName + QStringLiteral("发展和改革委员会"),
                  QStringLiteral("发改%1号").arg(1 + pick(500)),
                  dateText(year, chance(0.8)),
                  areaName.isEmpty() ? QVariant() : QVariant(areaName),
                  areaNumber.isEmpty() ? QVariant() : QVariant(areaNumber),
                  mineNumber,
                  chance(0.1) && !m_numbers.isEmpty() ? QVariant(any(m_numbers)) : QVariant(),
                  chance(0.5) ? QStringLiteral("全部压覆") : QStringLiteral("部分压覆"),
                  chance(0.5) ? QStringLiteral("已利用") : QStringLiteral("未利用"),
                  QString::number(lat, 'f', 4).toDouble(),
                  QString::number(lon, 'f', 4).toDouble(),
                  lon - 0.05,
                  lon + 0.05,
                  lat - 0.05,
                  lat + 0.05,
                  place.left(10),
                  double(pick(360)),
                  double(1 + pick(80)),
                  place + QStringLiteral("矿业有限公司"),
                  QStringLiteral("C%1").arg(qulonglong(1000000000000ULL + index)),
                  QStringLiteral("同意压覆。"),
                  cityName + QStringLiteral("自然资源局"),
                  QStringLiteral("地矿函%1号").arg(1 + pick(400)),
                  dateText(year),
                  QStringLiteral("同意。"),
                  dateText(year + 1, chance(0.7)),
                  chance(0.3) ? QStringLiteral("无") : QString(),
                  1.0});
    insert(m_bg, {djh, place + QStringLiteral("压覆矿产资源储量评估报告"), cityName + any(kUnits),
                  dateText(year), QStringLiteral("HJ%1").arg(index), any(kUnits), dateText(year),
                  QStringLiteral("评审%1号").arg(1 + pick(900)), QStringLiteral("报告符合要求，予以通过。"),
                  person(), cityName + QStringLiteral("自然资源局"), dateText(year),
                  QStringLiteral("备案%1号").arg(1 + pick(900)), QVariant(), QVariant()});
    addCoordinates(djh, lon, lat);
    addMinerals(djh, areaNumber);
    m_numbers.append(djh);
}

bool Generator::run(Db::Error* error)
{
    const auto fail = [&](const QString& text) {
        if (error) *error = Db::Error{1, QStringLiteral("SampleRegistrations"), text};
        return false;
    };
    if (!loadDictionaries())
        return fail(QStringLiteral("the dictionaries of the database are missing or empty"));
    Db::TransactionGuard tx(m_db);
    const bool prepared =
        prepare(m_dj, QStringLiteral("登记"),
                {"登记号", "填表人", "填表负责人", "填表日期", "填报单位", "核实意见", "核实负责人",
                 "核实单位", "核实日期", "初审意见", "初审负责人", "初审单位", "初审日期", "审定意见",
                 "审定负责人", "审定单位", "审定日期"}) &&
        prepare(m_yf, QStringLiteral("压覆"),
                {"登记号",       "建设单位",     "行政区代码",   "通讯地址",     "邮政编码", "电话号码",
                 "电子邮箱",     "建设项目名称", "建设项目类别", "批准单位",     "批准文号", "批准日期",
                 "矿区名称",     "矿区编号",     "所属矿山编号", "原登记号",     "压覆性质", "利用现状",
                 "中心点Y坐标",  "中心点X坐标",  "东经起",       "东经止",       "北纬起",   "北纬止",
                 "县城名",       "方位",         "至县直距",     "矿业权人",     "许可证号", "矿业权人意见",
                 "主管部门名称", "地矿文号",     "文号日期",     "主管部门意见", "截止日期", "备注",
                 "是否录入"}) &&
        prepare(m_bg, QStringLiteral("报告"),
                {"登记号", "报告名称", "勘查单位", "报告提交日期", "汇交证书号", "评审机构", "评审日期",
                 "评审文号", "评审结论", "评估师", "备案机关", "备案日期", "备案文号", "可利用情况码",
                 "未用原因1码"}) &&
        prepare(m_zb, QStringLiteral("坐标"),
                {"登记号", "矿权坐标", "矿权面积", "矿权最低标高", "矿权最高标高", "计算坐标", "计算面积",
                 "计算最低标高", "计算最高标高"}) &&
        prepare(m_zl, QStringLiteral("质量"),
                {"登记号", "矿产代码", "统计对象", "矿石类型", "矿石品级", "组分名", "组分值", "组分单位",
                 "均值标识", "显示序号"}) &&
        prepare(m_zycl, QStringLiteral("资源储量"),
                {"登记号",   "矿产代码",   "统计对象", "矿石类型",     "矿石品级",
                 "储量类型", "金属量1",    "矿石量1",  "基础储量类型", "金属量2",
                 "矿石量2",  "资源量类型", "金属量3",  "矿石量3",      "矿产组合码",
                 "矿产组合", "原登记号",   "显示序号", "扣矿区编号",   "扣登记分类编号"});
    if (!prepared) return fail(QStringLiteral("cannot prepare the inserts: ") + m_db.lastError().text());
    for (int i = 0; i < m_count; ++i)
        addRegistration(i);
    if (!m_failure.isEmpty()) return fail(m_failure);
    return tx.commit(error);
}

} // namespace

bool fill(const QSqlDatabase& db, const Options& options, Db::Error* error)
{
    Generator g(db, options);
    return g.run(error);
}

bool makeDatabase(const QString& templatePath, const QString& target, const Options& options,
                  Db::Error* error)
{
    QFile::remove(target);
    if (!QFile::copy(templatePath, target)) {
        if (error)
            *error = Db::Error{1, QStringLiteral("SampleRegistrations"),
                               QStringLiteral("cannot copy ") + templatePath};
        return false;
    }
    QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    Db::ScopedConnection c(QStringLiteral("sample"), target, Db::OpenMode::ReadWrite);
    if (!c.ok()) {
        if (error) *error = c.error();
        return false;
    }
    return fill(c.db(), options, error);
}

bool ensureDatabase(const QString& templatePath, const QString& target, const Options& options,
                    Db::Error* error)
{
    if (QFile::exists(target)) return true;
    const QString part = target + QStringLiteral(".part");
    if (!makeDatabase(templatePath, part, options, error)) return false;
    if (!QFile::rename(part, target)) {
        if (error)
            *error =
                Db::Error{1, QStringLiteral("SampleRegistrations"), QStringLiteral("cannot rename ") + part};
        return false;
    }
    return true;
}

} // namespace SampleRegistrations
