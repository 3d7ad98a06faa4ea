// Reading one registration into the texts of the entry window's boxes.

#include "registration/navigation/NavigationFixture.h"

#include "registration/record/RegistrationSnapshot.h"

namespace {

const QString DJH = QStringLiteral("4510104082001");

class RegistrationSnapshotTest : public NavigationFixture
{
protected:
    void SetUp() override
    {
        NavigationFixture::SetUp();
        exec("INSERT INTO 登记 (登记号, 填表人, 填表日期, 核实日期, 初审日期, 审定日期) "
             "VALUES (?, '张三', '2008年5月3日', '2008年6月', '', NULL)",
             {DJH});
        exec("INSERT INTO 压覆 (登记号, 行政区代码, 电话号码, 批准日期, 建设项目类别, 压覆性质, 利用现状, "
             "所属矿山编号, "
             "中心点X坐标, 方位) VALUES (?, 510104, '028-8765-4321', '2007年11月', '公路', '全部压覆', "
             "'未利用', 3, "
             "0.5, 120.25)",
             {DJH});
        exec("INSERT INTO 报告 (登记号, 报告名称, 评审日期) VALUES (?, '评估报告', '2008年1月20日')", {DJH});
        exec("INSERT INTO 坐标 (登记号, 矿权坐标, 计算坐标, 矿权面积, 计算最高标高) "
             "VALUES (?, NULL, '1,3,1,10,20,2,11,20,3,11,21,100,50,1,1,', 12.5, -30)",
             {DJH});
    }
};

} // namespace

TEST_F(RegistrationSnapshotTest, ColumnsShowAsTextsAndNumbersAsTheirValue)
{
    const RegistrationSnapshot s = RegistrationSnapshot::read(db(), DJH);
    EXPECT_FALSE(s.error.isSet());
    for (const QString& t : RegistrationSnapshot::tables())
        EXPECT_TRUE(s.has(t)) << t.toStdString();
    EXPECT_EQ(s.text("登记", "登记号"), DJH);
    EXPECT_EQ(s.text("登记", "填表人"), "张三");
    EXPECT_EQ(s.text("登记", "填报单位"), "");
    EXPECT_EQ(s.text("压覆", "行政区代码"), "510104");
    EXPECT_EQ(s.text("压覆", "所属矿山编号"), "3");
    EXPECT_EQ(s.text("压覆", "中心点X坐标"), "0.5");
    EXPECT_EQ(s.text("压覆", "方位"), "120.25");
    EXPECT_EQ(s.text("压覆", "建设项目类别"), "公路");
    EXPECT_EQ(s.text("压覆", "压覆性质"), "全部压覆");
    EXPECT_EQ(s.text("压覆", "利用现状"), "未利用");
    EXPECT_EQ(s.text("报告", "报告名称"), "评估报告");
    EXPECT_EQ(s.text("坐标", "矿权面积"), "12.5");
    EXPECT_EQ(s.text("坐标", "计算最高标高"), "-30");
    EXPECT_EQ(s.text("坐标", "计算面积"), "");
}

TEST_F(RegistrationSnapshotTest, DatesSplitIntoYearMonthAndDay)
{
    const RegistrationSnapshot s = RegistrationSnapshot::read(db(), DJH);
    using D = RegistrationSnapshot::DateParts;
    EXPECT_EQ(s.date("登记", "填表日期"), (D{"2008", "5", "3"}));
    EXPECT_EQ(s.date("登记", "核实日期"), (D{"2008", "6", ""}));
    EXPECT_EQ(s.date("登记", "初审日期"), D{});
    EXPECT_EQ(s.date("登记", "审定日期"), D{});
    EXPECT_EQ(s.date("压覆", "批准日期"), (D{"2007", "11", ""}));
    EXPECT_EQ(s.date("报告", "评审日期"), (D{"2008", "1", "20"}));
    EXPECT_EQ(RegistrationSnapshot::dateColumns("坐标"), QStringList{});
}

TEST_F(RegistrationSnapshotTest, TelephoneSplitsAtItsFirstDash)
{
    RegistrationSnapshot s = RegistrationSnapshot::read(db(), DJH);
    EXPECT_EQ(s.phoneArea, "028");
    EXPECT_EQ(s.phoneNumber, "8765-4321");

    exec("UPDATE 压覆 SET 电话号码 = '87654321'");
    s = RegistrationSnapshot::read(db(), DJH);
    EXPECT_EQ(s.phoneArea, "");
    EXPECT_EQ(s.phoneNumber, "87654321");

    exec("UPDATE 压覆 SET 电话号码 = NULL");
    s = RegistrationSnapshot::read(db(), DJH);
    EXPECT_EQ(s.phoneArea + s.phoneNumber, "");
}

TEST_F(RegistrationSnapshotTest, CoordinateTextsTurnIntoLinesAndANullTextIntoNothing)
{
    const RegistrationSnapshot s = RegistrationSnapshot::read(db(), DJH);
    EXPECT_EQ(s.areaLines, "");
    EXPECT_EQ(s.calcLines, "4\r\n1,10,20,\r\n2,11,20,\r\n3,11,21,\r\n*,100,50,1,1\r\n");
}

TEST_F(RegistrationSnapshotTest, MissingOneRowTablesLeaveTheirTextsEmpty)
{
    exec("DELETE FROM 压覆");
    exec("DELETE FROM 坐标");
    const RegistrationSnapshot s = RegistrationSnapshot::read(db(), DJH);
    EXPECT_TRUE(s.has("登记"));
    EXPECT_FALSE(s.has("压覆"));
    EXPECT_TRUE(s.has("报告"));
    EXPECT_FALSE(s.has("坐标"));
    EXPECT_EQ(s.text("压覆", "行政区代码"), "");
    EXPECT_EQ(s.phoneArea + s.phoneNumber + s.calcLines, "");
    EXPECT_EQ(s.text("报告", "报告名称"), "评估报告");
}

TEST_F(RegistrationSnapshotTest, WithoutARegistrationRowNothingElseIsRead)
{
    exec("DELETE FROM 登记");
    const RegistrationSnapshot s = RegistrationSnapshot::read(db(), DJH);
    EXPECT_FALSE(s.has("登记"));
    EXPECT_FALSE(s.found.contains("压覆"));
    EXPECT_EQ(s.text("压覆", "行政区代码"), "");
    EXPECT_FALSE(s.error.isSet());
}
