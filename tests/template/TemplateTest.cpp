// Tests of the generated template database djk.sys and of its generator mkdjk.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using Columns = std::vector<std::pair<std::string, std::string>>; // name, declared type

struct ExpectedTable
{
    std::string name;
    Columns columns;
};

// The structure every registration database must have, column by column, in order.
// Exports copy rows by position, so the order is part of the contract.
const std::vector<ExpectedTable>& expectedTables()
{
    static const std::string V10 = "VARCHAR(10)", V13 = "VARCHAR(13)", V20 = "VARCHAR(20)",
                             V50 = "VARCHAR(50)", V100 = "VARCHAR(100)", I = "INTEGER", R = "REAL";
    // 查明 has no mine number; 占用 and 停办 have no permit number.
    static const Columns chaMing = {{"登记号", V13},
                                    {"探矿权人", V50},
                                    {"行政区代码", I},
                                    {"通讯地址", V50},
                                    {"邮政编码", "VARCHAR(6)"},
                                    {"电话号码", V20},
                                    {"电子邮箱", "VARCHAR(30)"},
                                    {"矿区名称", V50},
                                    {"矿区编号", "VARCHAR(9)"},
                                    {"中心点X坐标", R},
                                    {"中心点Y坐标", R},
                                    {"东经起", R},
                                    {"东经止", R},
                                    {"北纬起", R},
                                    {"北纬止", R},
                                    {"县城名", "VARCHAR(22)"},
                                    {"方位", R},
                                    {"至县直距", R},
                                    {"许可证号", "VARCHAR(23)"},
                                    {"备注", "VARCHAR(255)"},
                                    {"是否录入", R}};
    static const Columns zhanYong = {{"登记号", V13},
                                     {"采矿权人", V50},
                                     {"行政区代码", I},
                                     {"通讯地址", V50},
                                     {"邮政编码", "VARCHAR(6)"},
                                     {"电话号码", V20},
                                     {"电子邮箱", "VARCHAR(30)"},
                                     {"矿区名称", V50},
                                     {"矿区编号", "VARCHAR(9)"},
                                     {"所属矿山编号", I},
                                     {"中心点X坐标", R},
                                     {"中心点Y坐标", R},
                                     {"东经起", R},
                                     {"东经止", R},
                                     {"北纬起", R},
                                     {"北纬止", R},
                                     {"县城名", "VARCHAR(22)"},
                                     {"方位", R},
                                     {"至县直距", R},
                                     {"备注", "VARCHAR(255)"},
                                     {"是否录入", R}};

    static const std::vector<ExpectedTable> tables = {
        {"登记",
         {{"登记号", V13},
          {"填表人", V10},
          {"填表负责人", V10},
          {"填表日期", V20},
          {"填报单位", V50},
          {"核实意见", V100},
          {"核实负责人", V10},
          {"核实单位", V50},
          {"核实日期", V20},
          {"初审意见", V100},
          {"初审负责人", V10},
          {"初审单位", V50},
          {"初审日期", V20},
          {"审定意见", V100},
          {"审定负责人", V10},
          {"审定单位", V50},
          {"审定日期", V20}}},
        {"压覆",
         {{"登记号", V13},
          {"建设单位", V50},
          {"行政区代码", I},
          {"通讯地址", V50},
          {"邮政编码", "VARCHAR(6)"},
          {"电话号码", V20},
          {"电子邮箱", "VARCHAR(30)"},
          {"建设项目名称", V50},
          {"建设项目类别", V50},
          {"批准单位", V50},
          {"批准文号", V50},
          {"批准日期", V20},
          {"矿区名称", V50},
          {"矿区编号", "VARCHAR(9)"},
          {"所属矿山编号", I},
          {"原登记号", V13},
          {"压覆性质", V10},
          {"利用现状", V10},
          {"中心点Y坐标", R},
          {"中心点X坐标", R},
          {"东经起", R},
          {"东经止", R},
          {"北纬起", R},
          {"北纬止", R},
          {"县城名", "VARCHAR(22)"},
          {"方位", R},
          {"至县直距", R},
          {"矿业权人", V50},
          {"许可证号", "VARCHAR(23)"},
          {"矿业权人意见", V100},
          {"主管部门名称", V50},
          {"地矿文号", V50},
          {"文号日期", V20},
          {"主管部门意见", V100},
          {"截止日期", V20},
          {"备注", "VARCHAR(255)"},
          {"是否录入", R}}},
        {"查明", chaMing},
        {"占用", zhanYong},
        {"停办", zhanYong},
        {"报告",
         {{"登记号", V13},
          {"报告名称", V50},
          {"勘查单位", V50},
          {"报告提交日期", V20},
          {"汇交证书号", V20},
          {"评审机构", V50},
          {"评审日期", V20},
          {"评审文号", V50},
          {"评审结论", V100},
          {"评估师", V50},
          {"备案机关", V50},
          {"备案日期", V20},
          {"备案文号", V50},
          {"可利用情况码", I},
          {"未用原因1码", V10}}},
        {"坐标",
         {{"登记号", V13},
          {"矿权坐标", "LONGTEXT"},
          {"矿权面积", R},
          {"矿权最低标高", R},
          {"矿权最高标高", R},
          {"计算坐标", "LONGTEXT"},
          {"计算面积", R},
          {"计算最低标高", R},
          {"计算最高标高", R}}},
        {"质量",
         {{"登记号", V13},
          {"矿产代码", I},
          {"统计对象", I},
          {"矿石类型", "VARCHAR(255)"},
          {"矿石品级", "VARCHAR(255)"},
          {"组分名", V50},
          {"组分值", R},
          {"组分单位", V20},
          {"均值标识", "BOOLEAN"},
          {"显示序号", I}}},
        {"资源储量",
         {{"登记号", V13},
          {"矿产代码", I},
          {"统计对象", I},
          {"矿石类型", I},
          {"矿石品级", I},
          {"储量类型", "VARCHAR(4)"},
          {"金属量1", R},
          {"矿石量1", R},
          {"基础储量类型", "VARCHAR(4)"},
          {"金属量2", R},
          {"矿石量2", R},
          {"资源量类型", "VARCHAR(4)"},
          {"金属量3", R},
          {"矿石量3", R},
          {"矿产组合码", I},
          {"矿产组合", V50},
          {"原登记号", V13},
          {"显示序号", I},
          {"扣矿区编号", "VARCHAR(9)"},
          {"扣登记分类编号", "VARCHAR(4)"}}},
        {"参数表", {{"省代码", I}}},
        {"数据库参数", {{"版本号", V20}}},
        {"cb01", {{"表号", I}, {"表内码", I}, {"代码", I}, {"名称", V100}}},
        {"cb02", {{"矿产代码", I}, {"矿石类型", I}, {"矿石类型名称", V50}}},
        {"cb03", {{"矿产代码", I}, {"矿石品级", I}, {"矿石品级名称", V50}}},
        {"cb04", {{"矿产代码", I}, {"品质", V20}, {"品质名", V50}, {"品质单位名", V20}}},
        {"cb05", {{"代码", I}, {"名称", V100}}},
        {"cb06",
         {{"矿产代码", I},
          {"矿产名称", V50},
          {"矿产类别", I},
          {"统计对象", I},
          {"计算对象名称", V50},
          {"金属量单位", V20},
          {"矿石量单位", V20},
          {"计算单位标识", I}}},
        {"cb08", {{"DM", I}, {"MC", V50}}},
        {"cb09", {{"代码", I}, {"名称", V100}}},
        {"cb13", {{"代码", I}, {"名称", V100}}},
    };
    return tables;
}

const std::vector<std::string>& registrationTables()
{
    static const std::vector<std::string> names = {"登记", "压覆", "查明", "占用",    "停办",
                                                   "报告", "坐标", "质量", "资源储量"};
    return names;
}

QString q(const std::string& s)
{
    return QString::fromStdString(s);
}

std::string s(const QString& text)
{
    return text.toStdString();
}

// Opens a database file read-only under its own connection; closes it on destruction.
class Connection
{
public:
    explicit Connection(const QString& file, const QString& name) : m_name(name)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        m_open = QFileInfo::exists(file) && db.open();
    }
    ~Connection()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_name);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool isOpen() const { return m_open; }
    QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }

    // Rows of a query as text, one string per row, fields joined by "|".
    std::vector<std::string> rows(const QString& sql) const
    {
        std::vector<std::string> result;
        QSqlQuery query(db());
        if (!query.exec(sql)) {
            ADD_FAILURE() << s(sql) << ": " << s(query.lastError().text());
            return result;
        }
        while (query.next()) {
            QStringList fields;
            for (int i = 0; i < query.record().count(); ++i)
                fields << query.value(i).toString();
            result.push_back(s(fields.join(u'|')));
        }
        return result;
    }

    QVariant scalar(const QString& sql) const
    {
        QSqlQuery query(db());
        if (!query.exec(sql) || !query.next()) {
            ADD_FAILURE() << s(sql) << ": " << s(query.lastError().text());
            return {};
        }
        return query.value(0);
    }

    long long count(const QString& sql) const { return scalar(sql).toLongLong(); }

    Columns columns(const std::string& table) const
    {
        Columns result;
        for (const std::string& row :
             rows(QStringLiteral("SELECT name, type FROM pragma_table_info('%1')").arg(q(table)))) {
            const auto bar = row.find('|');
            result.push_back({row.substr(0, bar), row.substr(bar + 1)});
        }
        return result;
    }

private:
    QString m_name;
    bool m_open = false;
};

class TemplateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_template = std::make_unique<Connection>(QStringLiteral(ORVANE_TEMPLATE_PATH),
                                                  QStringLiteral("template_test"));
        ASSERT_TRUE(m_template->isOpen()) << "cannot open " << ORVANE_TEMPLATE_PATH;
    }
    void TearDown() override { m_template.reset(); }

    const Connection& tpl() const { return *m_template; }

private:
    std::unique_ptr<Connection> m_template;
};

TEST_F(TemplateTest, HasExactlyTheExpectedTablesWithTheirColumnsInOrder)
{
    std::set<std::string> expectedNames;
    for (const ExpectedTable& table : expectedTables()) {
        expectedNames.insert(table.name);
        EXPECT_EQ(tpl().columns(table.name), table.columns) << "table " << table.name;
    }
    const std::vector<std::string> actual = tpl().rows(
        QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%'"));
    EXPECT_EQ(std::set<std::string>(actual.begin(), actual.end()), expectedNames);
}

TEST_F(TemplateTest, OneRowTablesAreKeyedByRegistrationNumberAndDetailTablesAreNot)
{
    for (const std::string& table : registrationTables()) {
        const Columns columns = tpl().columns(table);
        ASSERT_FALSE(columns.empty()) << table;
        EXPECT_EQ(columns.front().first, "登记号") << table;
        EXPECT_EQ(tpl().count(QStringLiteral("SELECT \"notnull\" FROM pragma_table_info('%1') "
                                             "WHERE name = '登记号'")
                                  .arg(q(table))),
                  1)
            << table << ": 登记号 must be NOT NULL";

        const std::vector<std::string> keyColumns =
            tpl().rows(QStringLiteral("SELECT name FROM pragma_table_info('%1') WHERE pk > 0 ORDER BY pk")
                           .arg(q(table)));
        if (table == "质量" || table == "资源储量") {
            EXPECT_TRUE(keyColumns.empty()) << table << " must allow equal keys";
            EXPECT_EQ(tpl().count(QStringLiteral("SELECT count(*) FROM pragma_index_list('%1') "
                                                 "WHERE \"unique\" = 1")
                                      .arg(q(table))),
                      0)
                << table;
            EXPECT_GE(
                tpl().count(QStringLiteral("SELECT count(*) FROM pragma_index_list('%1')").arg(q(table))), 2)
                << table;
        } else {
            EXPECT_EQ(keyColumns, std::vector<std::string>{"登记号"}) << table;
        }
    }
}

TEST_F(TemplateTest, DeclaresOnlyTypesTheDriverMapsToFieldKinds)
{
    const std::vector<std::string> types =
        tpl().rows(QStringLiteral("SELECT DISTINCT p.type FROM sqlite_master m, pragma_table_info(m.name) p "
                                  "WHERE m.type = 'table'"));
    for (const std::string& type : types) {
        const QString t = q(type);
        const bool allowed = t == u"INTEGER" || t == u"REAL" || t == u"BOOLEAN" || t == u"LONGTEXT" ||
                             QRegularExpression(QStringLiteral("^VARCHAR\\(\\d+\\)$")).match(t).hasMatch();
        EXPECT_TRUE(allowed) << type;
    }
}

TEST_F(TemplateTest, HoldsNoRegistrationsTheVersionAndAnEmptyProvinceTable)
{
    for (const std::string& table : registrationTables())
        EXPECT_EQ(tpl().count(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(q(table))), 0) << table;
    EXPECT_EQ(tpl().rows(QStringLiteral("SELECT 版本号, typeof(版本号) FROM 数据库参数")),
              std::vector<std::string>{"1.44|text"});
    EXPECT_EQ(tpl().count(QStringLiteral("SELECT count(*) FROM 参数表")), 0);
}

TEST_F(TemplateTest, RegionTableHoldsEveryLineOfTheRegionList)
{
    QFile file(QStringLiteral(ORVANE_DATA_DIR "/region-codes-2024.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    std::vector<std::string> expected;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty()) continue;
        const qsizetype blank = trimmed.indexOf(u' ');
        expected.push_back(s(trimmed.left(blank) + u'|' + trimmed.mid(blank + 1).trimmed()));
    }
    EXPECT_EQ(expected.size(), 3213u);

    EXPECT_EQ(tpl().rows(QStringLiteral("SELECT DM, MC FROM cb08 ORDER BY DM")), expected);
    EXPECT_EQ(tpl().count(QStringLiteral("SELECT count(*) FROM cb08")), 3213);
    EXPECT_EQ(tpl().count(QStringLiteral("SELECT count(*) FROM cb08 WHERE typeof(DM) <> 'integer'")), 0);
    EXPECT_EQ(tpl().rows(QStringLiteral("SELECT MC FROM cb08 WHERE DM = 110000")),
              std::vector<std::string>{"北京市"});
    EXPECT_EQ(tpl().rows(QStringLiteral("SELECT MC FROM cb08 WHERE DM = 419001")),
              std::vector<std::string>{"济源市"});
    // Province rows: every region belongs to one of them.
    EXPECT_EQ(tpl().count(QStringLiteral("SELECT count(*) FROM cb08 WHERE DM % 10000 = 0")), 34);
    EXPECT_EQ(tpl().count(QStringLiteral("SELECT count(*) FROM cb08 c WHERE NOT EXISTS "
                                         "(SELECT 1 FROM cb08 p WHERE p.DM = (c.DM / 10000) * 10000)")),
              0);
}

TEST_F(TemplateTest, DictionariesReferToEachOther)
{
    for (const char* table : {"cb02", "cb03", "cb04"})
        EXPECT_EQ(tpl().rows(QStringLiteral("SELECT DISTINCT 矿产代码 FROM %1 WHERE 矿产代码 NOT "
                                            "IN (SELECT 矿产代码 FROM cb06)")
                                 .arg(QLatin1String(table))),
                  std::vector<std::string>{})
            << table << " names a mineral that cb06 lacks";
    EXPECT_EQ(tpl().rows(QStringLiteral("SELECT DISTINCT 矿产类别 FROM cb06 WHERE 矿产类别 IS NULL "
                                        "OR 矿产类别 NOT IN (SELECT 代码 FROM cb01)")),
              std::vector<std::string>{});
    EXPECT_EQ(
        tpl().rows(QStringLiteral("SELECT 代码 FROM cb01 GROUP BY 代码 HAVING count(*) > 1 OR 代码 IS NULL")),
        std::vector<std::string>{});
    // Every mineral has ore types and grades to pick from.
    for (const char* table : {"cb02", "cb03"})
        EXPECT_EQ(tpl().rows(QStringLiteral("SELECT DISTINCT 矿产代码 FROM cb06 WHERE 矿产代码 NOT "
                                            "IN (SELECT 矿产代码 FROM %1)")
                                 .arg(QLatin1String(table))),
                  std::vector<std::string>{})
            << "minerals without rows in " << table;
}

TEST_F(TemplateTest, MineralAndCategoryCodesHaveFiveDigitsAndOneNameEach)
{
    EXPECT_EQ(tpl().count(QStringLiteral("SELECT count(*) FROM cb06 WHERE 矿产代码 NOT BETWEEN "
                                         "10000 AND 99999 OR 矿产类别 NOT BETWEEN 10000 AND 99999")),
              0);
    EXPECT_EQ(tpl().rows(QStringLiteral("SELECT 矿产代码 FROM cb06 GROUP BY 矿产代码 HAVING "
                                        "count(DISTINCT 矿产名称) > 1 OR count(DISTINCT 矿产类别) > 1")),
              std::vector<std::string>{});
    // A mineral counted one way is stored with statistics object 0; several ways never use 0.
    EXPECT_EQ(tpl().rows(QStringLiteral("SELECT 矿产代码 FROM cb06 GROUP BY 矿产代码 HAVING "
                                        "(count(*) = 1 AND max(统计对象) <> 0) OR "
                                        "(count(*) > 1 AND min(统计对象) = 0)")),
              std::vector<std::string>{});
    EXPECT_GE(tpl().count(QStringLiteral("SELECT count(*) FROM (SELECT 矿产代码 FROM cb06 GROUP BY 矿产代码 "
                                         "HAVING count(*) = 3)")),
              1);
    EXPECT_GE(tpl().count(QStringLiteral("SELECT count(DISTINCT 矿产代码) FROM cb06")), 20);
}

TEST_F(TemplateTest, CoalGradesCoverBothStandardsAndTheRemap)
{
    const std::vector<std::string> grades =
        tpl().rows(QStringLiteral("SELECT 矿石品级 FROM cb03 WHERE 矿产代码 = 11001 ORDER BY 矿石品级"));
    std::set<int> present;
    for (const std::string& g : grades)
        present.insert(std::stoi(g));
    for (int g = 1; g <= 30; ++g)
        EXPECT_TRUE(present.count(g)) << "grade " << g;
    EXPECT_TRUE(std::any_of(present.begin(), present.end(), [](int g) { return g > 50; }));
    // The old ranks and the ranks they are mapped onto name the same coal.
    const std::vector<std::pair<int, int>> remap = {{1, 14},  {2, 15},  {3, 17}, {4, 18}, {5, 20},
                                                    {6, 22},  {7, 24},  {8, 25}, {9, 26}, {10, 27},
                                                    {11, 28}, {12, 29}, {13, 30}};
    for (const auto& [oldGrade, newGrade] : remap)
        EXPECT_EQ(tpl().rows(QStringLiteral("SELECT 矿石品级名称 FROM cb03 WHERE 矿产代码 = 11001 "
                                            "AND 矿石品级 = %1")
                                 .arg(oldGrade)),
                  tpl().rows(QStringLiteral("SELECT 矿石品级名称 FROM cb03 WHERE 矿产代码 = 11001 "
                                            "AND 矿石品级 = %1")
                                 .arg(newGrade)))
            << oldGrade << " -> " << newGrade;
    EXPECT_EQ(tpl().count(QStringLiteral("SELECT count(*) FROM cb06 WHERE 矿产代码 = 11001")), 1);
}

TEST_F(TemplateTest, DefaultTypeAndGradeCodesAreDictionaryEntries)
{
    // A mineral with a single ore type has exactly 70010, with several types also 70000.
    EXPECT_EQ(tpl().rows(QStringLiteral(
                  "SELECT 矿产代码 FROM cb02 GROUP BY 矿产代码 HAVING "
                  "(count(*) = 1 AND max(矿石类型) <> 70010) OR "
                  "(count(*) > 1 AND (sum(矿石类型 = 70000) <> 1 OR sum(矿石类型 = 70010) <> 0))")),
              std::vector<std::string>{});
    // A mineral with a single grade has exactly 32, with several grades also 500 (coal's
    // default 30 is one of its ranks).
    EXPECT_EQ(tpl().rows(
                  QStringLiteral("SELECT 矿产代码 FROM cb03 WHERE 矿产代码 <> 11001 GROUP BY 矿产代码 HAVING "
                                 "(count(*) = 1 AND max(矿石品级) <> 32) OR "
                                 "(count(*) > 1 AND sum(矿石品级 = 500) <> 1)")),
              std::vector<std::string>{});
    // The ore types 10001 and 10002 appear together.
    EXPECT_GE(tpl().count(QStringLiteral("SELECT count(*) FROM cb02 a JOIN cb02 b ON a.矿产代码 = b.矿产代码 "
                                         "WHERE a.矿石类型 = 10001 AND b.矿石类型 = 10002")),
              1);
}

TEST_F(TemplateTest, GeneralListsHaveHeadingsAndEntries)
{
    EXPECT_EQ(tpl().rows(QStringLiteral("SELECT 表内码 FROM cb01 WHERE 表号 = 16 AND 表内码 <> 0 "
                                        "ORDER BY 表内码")),
              (std::vector<std::string>{"1", "2", "3", "4", "5"}));
    EXPECT_GE(tpl().count(
                  QStringLiteral("SELECT count(*) FROM cb01 WHERE 表号 = 42 AND 表内码 <> 0 AND 名称 <> ''")),
              5);
    EXPECT_EQ(
        tpl().count(QStringLiteral("SELECT count(*) FROM cb01 WHERE 表号 = 42 AND 名称 IN ('铁路', '公路')")),
        2);
    // Every list has its heading row, and names fit the project-category column.
    EXPECT_EQ(tpl().rows(QStringLiteral("SELECT DISTINCT 表号 FROM cb01 WHERE 表号 NOT IN "
                                        "(SELECT 表号 FROM cb01 WHERE 表内码 = 0)")),
              std::vector<std::string>{});
    EXPECT_EQ(tpl().count(QStringLiteral(
                  "SELECT count(*) FROM cb01 WHERE 名称 IS NULL OR 名称 = '' OR length(名称) > 50")),
              0);
    for (const char* table : {"cb05", "cb09", "cb13"})
        EXPECT_GT(tpl().count(QStringLiteral("SELECT count(*) FROM %1").arg(QLatin1String(table))), 0)
            << table;
}

// --------------------------------------------------------------------------------------
// The generator
// --------------------------------------------------------------------------------------

struct RunResult
{
    int exitCode = -1;
    QString errorText;
};

RunResult runMkdjk(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(MKDJK_EXECUTABLE), arguments);
    RunResult result;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
        ADD_FAILURE() << "mkdjk did not finish";
        return result;
    }
    result.exitCode = process.exitCode();
    result.errorText = QString::fromLocal8Bit(process.readAllStandardError());
    return result;
}

class MkdjkTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString writeFile(const QString& name, const QByteArray& content) const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return file.fileName();
    }
    QStringList entries() const
    {
        return QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    static QString schema() { return QStringLiteral(ORVANE_DATA_DIR "/schema.sql"); }
    static QString dictionaries() { return QStringLiteral(ORVANE_DATA_DIR "/dictionaries.sql"); }
    static QString regions() { return QStringLiteral(ORVANE_DATA_DIR "/region-codes-2024.txt"); }

private:
    QTemporaryDir m_dir;
};

TEST_F(MkdjkTest, WritesTheVersionItIsGivenAndLeavesOnlyTheFinishedFile)
{
    const QString out = path(QStringLiteral("djk.sys"));
    const RunResult result = runMkdjk({out, schema(), dictionaries(), regions(), QStringLiteral("1.45")});
    ASSERT_EQ(result.exitCode, 0) << s(result.errorText);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("djk.sys")});
    EXPECT_TRUE(QFileInfo(out).permissions().testFlag(QFileDevice::ReadOther));

    Connection made(out, QStringLiteral("mkdjk_made"));
    ASSERT_TRUE(made.isOpen());
    EXPECT_EQ(made.rows(QStringLiteral("SELECT 版本号 FROM 数据库参数")), std::vector<std::string>{"1.45"});
    EXPECT_EQ(made.count(QStringLiteral("SELECT count(*) FROM cb08")), 3213);
    EXPECT_EQ(made.scalar(QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("delete"));
}

TEST_F(MkdjkTest, ReplacesAnExistingTemplate)
{
    const QString out = writeFile(QStringLiteral("djk.sys"), "an older file");
    const RunResult result = runMkdjk({out, schema(), dictionaries(), regions(), QStringLiteral("1.44")});
    ASSERT_EQ(result.exitCode, 0) << s(result.errorText);
    Connection made(out, QStringLiteral("mkdjk_replaced"));
    ASSERT_TRUE(made.isOpen());
    EXPECT_EQ(made.count(QStringLiteral("SELECT count(*) FROM cb06 WHERE 矿产代码 = 11001")), 1);
}

TEST_F(MkdjkTest, RefusesABrokenScriptAndWritesNothing)
{
    const QString broken = writeFile(QStringLiteral("broken.sql"), "-- a table, then a typo\n"
                                                                   "CREATE TABLE a (x INTEGER);\n"
                                                                   "INSERT INTO a VALUES ('x;y');\n"
                                                                   "\n"
                                                                   "CREATE TABEL b (y INTEGER);\n");
    const QString out = path(QStringLiteral("djk.sys"));
    const RunResult result = runMkdjk({out, broken, dictionaries(), regions(), "1.44"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(
        result.errorText.startsWith(QString(QStringLiteral("mkdjk: ") + broken + QStringLiteral(":5: "))))
        << s(result.errorText);
    EXPECT_FALSE(QFileInfo::exists(out));
    EXPECT_EQ(entries(), QStringList{QStringLiteral("broken.sql")});
}

TEST_F(MkdjkTest, AFailureLeavesTheExistingTemplateUntouched)
{
    const QString out = writeFile(QStringLiteral("djk.sys"), "the template in use");
    // The dictionaries fail when run against a schema that lacks their tables.
    const QString schemaOnlyCb01 =
        writeFile(QStringLiteral("partial.sql"),
                  "CREATE TABLE cb01 (表号 INTEGER, 表内码 INTEGER, 代码 INTEGER, 名称 VARCHAR(100));\n");
    const RunResult result = runMkdjk({out, schemaOnlyCb01, dictionaries(), regions(), "1.44"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.errorText.contains(QString(dictionaries() + u':'))) << s(result.errorText);
    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("the template in use"));
    EXPECT_EQ(entries().size(), 2);
}

TEST_F(MkdjkTest, RefusesMalformedOrDuplicateRegionLines)
{
    const QString out = path(QStringLiteral("djk.sys"));
    const QString malformed = writeFile(QStringLiteral("bad.txt"), "110000 北京市\n\n1101 东城区\n");
    RunResult result = runMkdjk({out, schema(), dictionaries(), malformed, "1.44"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.errorText,
              QStringLiteral("mkdjk: %1:3: expected a six-digit code and a name, found \"1101 "
                             "东城区\"\n")
                  .arg(malformed));

    const QString duplicate = writeFile(QStringLiteral("dup.txt"), "110000 北京市\r\n110000 北京\r\n");
    result = runMkdjk({out, schema(), dictionaries(), duplicate, "1.44"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(
        result.errorText.startsWith(QString(QStringLiteral("mkdjk: ") + duplicate + QStringLiteral(":2: "))))
        << s(result.errorText);

    const QString notUtf8 = writeFile(QStringLiteral("gbk.txt"), "110000 \xb1\xb1\xbe\xa9\n");
    result = runMkdjk({out, schema(), dictionaries(), notUtf8, "1.44"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.errorText, QStringLiteral("mkdjk: %1: not valid UTF-8\n").arg(notUtf8));

    EXPECT_FALSE(QFileInfo::exists(out));
}

TEST_F(MkdjkTest, RefusesWrongArgumentsAndAMissingFolder)
{
    RunResult result = runMkdjk({path(QStringLiteral("djk.sys")), schema()});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.errorText.startsWith(QStringLiteral("usage: mkdjk ")));

    result = runMkdjk({path(QStringLiteral("djk.sys")), schema(), dictionaries(), regions(), " "});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.errorText, QStringLiteral("mkdjk: the version is empty\n"));

    const QString missing = path(QStringLiteral("no-such-folder"));
    result = runMkdjk({missing + QStringLiteral("/djk.sys"), schema(), dictionaries(), regions(), "1.44"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.errorText, QStringLiteral("mkdjk: %1: the folder does not exist\n").arg(missing));
    EXPECT_TRUE(entries().isEmpty());
}

} // namespace
