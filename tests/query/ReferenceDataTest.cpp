// The reference list and the take-over of an identified or occupied registration:
// what the entry window is handed for each of its boxes.

#include "QueryFixture.h"

#include "query/ReferenceData.h"
#include "registration/form/FieldRegistry.h"

using namespace query;

namespace {

const QString N = QStringLiteral("4510104072009");
const QString Shown = QStringLiteral("4510104082100"); // the number the entry window showed
const QString Coords = QStringLiteral("1,3,1,10,20,2,11,20,3,11,21,,,,,");

class ReferenceDataTest : public QueryFixture
{
protected:
    void SetUp() override
    {
        QueryFixture::SetUp();
        exec(QStringLiteral("INSERT INTO 登记 (登记号, 填表人, 填表日期, 核实日期, 初审日期, 审定单位) "
                            "VALUES (?, '张三', '2007年5月12日', '2007年5月', '2007/5/1', '国土厅')"),
             {N});
        exec(QStringLiteral("INSERT INTO 占用 (登记号, 采矿权人, 行政区代码, 电话号码, 矿区名称, 矿区编号, "
                            "所属矿山编号, 中心点X坐标, 至县直距, 备注) "
                            "VALUES (?, '某矿业', 510104, '028-8765-43', '锦江铁矿区', '510104001', 7, 0.5, "
                            "NULL, '在采')"),
             {N});
        exec(QStringLiteral("INSERT INTO 报告 (登记号, 报告名称, 评审日期) VALUES (?, '勘探报告', '2008年')"),
             {N});
        exec(QStringLiteral(
                 "INSERT INTO 坐标 (登记号, 矿权坐标, 矿权面积, 计算坐标) VALUES (?, ?, 0.5, NULL)"),
             {N, Coords});
    }

    // The text handed to box `part` of a column of `table` (Kn2Data is 压覆's).
    static QString box(const ReferenceValues& r, const QString& table, const QString& column, int part = 0)
    {
        const QList<FieldRegistry::Box> b = FieldRegistry::boxes(table, column);
        if (part >= b.size()) return QStringLiteral("<no box>");
        return r.values.text(b[part].array, b[part].index);
    }

    void setPhone(const QVariant& phone)
    {
        exec(QStringLiteral("UPDATE 占用 SET 电话号码 = ? WHERE 登记号 = ?"), {phone, N});
    }
};

} // namespace

TEST_F(ReferenceDataTest, AnOccupiedRegistrationFillsThePagesOfAnOverlayToComplete)
{
    const ReferenceValues r = Copy_Reference_Data(db(), ReferenceKind::Occupied, N, Shown);
    ASSERT_TRUE(r.found);
    EXPECT_TRUE(r.errors.isEmpty());
    const QString reg = QStringLiteral("登记"), ov = QStringLiteral("压覆");

    // The number the window showed is kept.
    EXPECT_EQ(r.values.djh(), Shown);
    EXPECT_EQ(box(r, reg, "填表人"), "张三");
    EXPECT_EQ(box(r, reg, "审定单位"), "国土厅");
    // Dates: full, year and month only, written with slashes (no marks), Null.
    EXPECT_EQ(box(r, reg, "填表日期", 0) + "|" + box(r, reg, "填表日期", 1) + "|" +
                  box(r, reg, "填表日期", 2),
              "2007|5|12");
    EXPECT_EQ(box(r, reg, "核实日期", 1) + "|" + box(r, reg, "核实日期", 2), "5|");
    EXPECT_EQ(box(r, reg, "初审日期", 0) + box(r, reg, "初审日期", 1) + box(r, reg, "初审日期", 2), "");
    EXPECT_EQ(box(r, reg, "审定日期", 0), "");

    // Second page from the kind row; the number with two "-" keeps the second.
    EXPECT_EQ(box(r, ov, "行政区代码"), "510104");
    EXPECT_EQ(box(r, ov, "矿区名称"), "锦江铁矿区");
    EXPECT_EQ(box(r, ov, "备注"), "在采");
    EXPECT_EQ(box(r, ov, "中心点X坐标"), "0.5");
    EXPECT_EQ(box(r, ov, "至县直距"), "");
    EXPECT_EQ(box(r, ov, "电话号码", 0), "028");
    EXPECT_EQ(box(r, ov, "电话号码", 1), "8765-43");
    // Overlay-only fields, and an occupied registration's 许可证号 and mine, stay empty.
    for (const char* column : {"许可证号", "所属矿山编号", "矿业权人", "原登记号", "建设单位", "建设项目名称",
                               "建设项目类别", "批准单位", "批准文号", "压覆性质", "利用现状", "矿业权人意见",
                               "主管部门名称", "地矿文号", "主管部门意见"})
        EXPECT_EQ(box(r, ov, column), "") << column;
    for (const char* column : {"批准日期", "文号日期", "截止日期"})
        EXPECT_EQ(box(r, ov, column, 0), "") << column;

    EXPECT_EQ(box(r, QStringLiteral("报告"), "报告名称"), "勘探报告");
    EXPECT_EQ(box(r, QStringLiteral("报告"), "评审日期", 0) + "|" +
                  box(r, QStringLiteral("报告"), "评审日期", 1),
              "2008|");
    EXPECT_EQ(box(r, QStringLiteral("坐标"), "矿权面积"), "0.5");
    // The coordinates come along in the grids' line form.
    EXPECT_EQ(r.areaLines, QStringLiteral("4\r\n1,10,20,\r\n2,11,20,\r\n3,11,21,\r\n*,,,,\r\n"));
    EXPECT_EQ(r.calcLines, "");
}

TEST_F(ReferenceDataTest, IdentifiedRegistrationKeepsItsLicenceAndMissingRowsLeaveTheirPagesEmpty)
{
    exec(
        QStringLiteral("INSERT INTO 查明 (登记号, 探矿权人, 电话号码, 许可证号) VALUES (?, 'x', ?, 'T5100')"),
        {N, QStringLiteral("-8765")});
    exec(QStringLiteral("DELETE FROM 报告"));
    ReferenceValues r = Copy_Reference_Data(db(), ReferenceKind::Identified, N, QString());
    ASSERT_TRUE(r.found);
    EXPECT_EQ(r.values.djh(), "");
    EXPECT_EQ(box(r, "压覆", "许可证号"), "T5100");
    EXPECT_EQ(box(r, "压覆", "电话号码", 0), "");
    EXPECT_EQ(box(r, "压覆", "电话号码", 1), "8765");
    EXPECT_EQ(box(r, "报告", "报告名称"), "");
    EXPECT_EQ(box(r, "登记", "填表人"), "张三");

    // Telephone numbers without "-" are taken as the record load takes them.
    setPhone(QStringLiteral("87654321"));
    r = Copy_Reference_Data(db(), ReferenceKind::Occupied, N, QString());
    EXPECT_EQ(box(r, "压覆", "电话号码", 0) + "|" + box(r, "压覆", "电话号码", 1), "|87654321");
    setPhone(QVariant());
    r = Copy_Reference_Data(db(), ReferenceKind::Occupied, N, QString());
    EXPECT_EQ(box(r, "压覆", "电话号码", 0) + "|" + box(r, "压覆", "电话号码", 1), "|");

    // Without a 登记 row nothing is taken.
    r = Copy_Reference_Data(db(), ReferenceKind::Occupied, QStringLiteral("4510104072999"), Shown);
    EXPECT_FALSE(r.found);
    EXPECT_EQ(r.values.djh(), "");
    EXPECT_TRUE(r.errors.isEmpty());
}

TEST_F(ReferenceDataTest, ListShowsEveryRowAndReportsAMissingTable)
{
    Result<QList<ReferenceItem>> list = Load_Reference_List(db(), ReferenceKind::Identified);
    ASSERT_TRUE(list.ok());
    EXPECT_TRUE(list->isEmpty());

    list = Load_Reference_List(db(), ReferenceKind::Occupied);
    ASSERT_TRUE(list.ok());
    ASSERT_EQ(list->size(), 1);
    EXPECT_EQ(list->first(), (ReferenceItem{N, "某矿业", "锦江铁矿区", "510104001", "510104"}));

    exec(QStringLiteral("INSERT INTO 占用 (登记号) VALUES ('4510104072010')"));
    list = Load_Reference_List(db(), ReferenceKind::Occupied);
    ASSERT_EQ(list->size(), 2);
    EXPECT_EQ(list->at(1), (ReferenceItem{"4510104072010", "", "", "", ""}));

    exec(QStringLiteral("DROP TABLE 查明"));
    list = Load_Reference_List(db(), ReferenceKind::Identified);
    EXPECT_FALSE(list.ok());
    EXPECT_TRUE(list.error().isSet());
}
