#include "RecordFixture.h"

#include "entry/FieldEditRules.h"
#include "entry/RegionPickerNodes.h"

#include <gtest/gtest.h>

using namespace FieldEditRules;
using A = FormControl::Array;

TEST(FieldEditRules, NumericWarnings)
{
    EXPECT_EQ(Number_Warning(), QStringLiteral("请填写数值型数据！"));
    EXPECT_TRUE(Needs_Number_Warning(A::Kn2Data, 24, QStringLiteral("东北"))) << "方位";
    EXPECT_FALSE(Needs_Number_Warning(A::Kn2Data, 24, QStringLiteral(" 45 ")));
    EXPECT_FALSE(Needs_Number_Warning(A::Kn2Data, 22, QStringLiteral("12."))) << "a decimal being typed";
    EXPECT_TRUE(Needs_Number_Warning(A::Kn2Data, 16, QStringLiteral("12a")));
    EXPECT_TRUE(Needs_Number_Warning(A::Kn2Data, 17, QStringLiteral("1..")));
    EXPECT_FALSE(Needs_Number_Warning(A::Kn6Data, 1, QStringLiteral("-")))
        << "a negative elevation being typed";
    EXPECT_TRUE(Needs_Number_Warning(A::Kn6Data, 1, QStringLiteral("1-")));
    EXPECT_TRUE(Needs_Number_Warning(A::Kn1Data, 3, QStringLiteral("二零零八")));
    EXPECT_FALSE(Needs_Number_Warning(A::Kn1Data, 3, QStringLiteral("２００８")))
        << "full-width digits are digits";
    EXPECT_TRUE(Needs_Number_Warning(A::Kn1Data, 3, QStringLiteral("2008..")));
    EXPECT_FALSE(Needs_Number_Warning(A::Kn1Data, 0, QStringLiteral("abc"))) << "登记号 is tested otherwise";
    EXPECT_FALSE(Needs_Number_Warning(A::Kn2Data, 0, QStringLiteral("abc"))) << "a text box";
    EXPECT_FALSE(Needs_Number_Warning(A::Kn3Data, 2, QStringLiteral("   ")));
    EXPECT_TRUE(Needs_Number_Warning(A::Kn3Data, 16, QStringLiteral("x")));
}

TEST(FieldEditRules, AdvanceLengths)
{
    EXPECT_EQ(Advance_Rule(A::Kn1Data, 3).length, 4);
    EXPECT_EQ(Advance_Rule(A::Kn1Data, 23).length, 2);
    EXPECT_EQ(Advance_Rule(A::Kn1Data, 24).length, 0) << "the last day box keeps the focus";
    EXPECT_EQ(Advance_Rule(A::Kn2Data, 4).length, 6);
    EXPECT_EQ(Advance_Rule(A::Kn2Data, 6).length, 8);
    EXPECT_EQ(Advance_Rule(A::Kn2Data, 18).length, 13);
    EXPECT_EQ(Advance_Rule(A::Kn2Data, 18).next, NextBox::EnabledAndVisible);
    EXPECT_EQ(Advance_Rule(A::Kn3Data, 16).next, NextBox::Enabled);
    EXPECT_EQ(Advance_Rule(A::Kn6Data, 0).length, 0);
    EXPECT_EQ(New_DJH_Prefix(QStringLiteral("110101"), 2026), QStringLiteral("4110101262"));
    EXPECT_EQ(Duplicate_Warning(QStringLiteral("登记号")), QStringLiteral("【登记号】重复，请重新填写！"));
    EXPECT_EQ(Postcode_Warning(), QStringLiteral("请填写6位数值型数据！"));
}

namespace {
class RegionPicker : public ProgramFolder
{
protected:
    void SetUp() override
    {
        ProgramFolder::SetUp();
        openWorkingDatabase();
        db = m_state.Cn();
    }
    void TearDown() override
    {
        db = QSqlDatabase();
        ProgramFolder::TearDown();
    }
    static const TreeNode* find(const TreeNodes& nodes, const QString& key)
    {
        for (const TreeNode& n : nodes) {
            if (n.key == key) return &n;
        }
        return nullptr;
    }
    QSqlDatabase db;
};
} // namespace

TEST_F(RegionPicker, MunicipalityDistrictsHangUnderTheProvince)
{
    const TreeNodes nodes = RegionPickerNodes::Load_Region_Picker(db, 110000);
    ASSERT_FALSE(nodes.isEmpty());
    EXPECT_EQ(nodes[0], (TreeNode{QStringLiteral("A11"), QStringLiteral("北京市"), QString(), QString()}));
    const TreeNode* d = find(nodes, QStringLiteral("C110101"));
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->text, QStringLiteral("东城区"));
    EXPECT_EQ(d->parentKey, QStringLiteral("A11"));
    EXPECT_EQ(RegionPickerNodes::Region_Box_Text(d->key), QStringLiteral("110101   "));
}

TEST_F(RegionPicker, CitiesWithPlaceholdersAndProvinceCounties)
{
    const TreeNodes nodes = RegionPickerNodes::Load_Region_Picker(db, 410000);
    const TreeNode* city = find(nodes, QStringLiteral("B4101"));
    ASSERT_NE(city, nullptr);
    EXPECT_EQ(city->parentKey, QStringLiteral("A41"));
    const TreeNode* placeholder = find(nodes, QStringLiteral("C0"));
    ASSERT_NE(placeholder, nullptr);
    EXPECT_EQ(placeholder->text, RegionPickerNodes::Placeholder);
    EXPECT_EQ(placeholder->parentKey, QStringLiteral("B4101"));
    EXPECT_EQ(find(nodes, QStringLiteral("C410102")), nullptr) << "a city's counties come on expansion";
    const TreeNode* direct = find(nodes, QStringLiteral("C419001"));
    ASSERT_NE(direct, nullptr) << "a county governed by the province itself";
    EXPECT_EQ(direct->parentKey, QStringLiteral("A41"));

    const TreeNodes counties = RegionPickerNodes::Load_Counties(db, QStringLiteral("B4101"));
    ASSERT_FALSE(counties.isEmpty());
    EXPECT_EQ(counties[0].key.left(5), QStringLiteral("C4101"));
    for (const TreeNode& n : counties)
        EXPECT_EQ(n.parentKey, QStringLiteral("B4101"));
}

TEST_F(RegionPicker, NoProvinceOrNoTable)
{
    EXPECT_TRUE(RegionPickerNodes::Load_Region_Picker(db, 0).isEmpty());
    ASSERT_TRUE(Db::exec(db, QStringLiteral("drop table cb08")));
    Db::Error error;
    EXPECT_TRUE(RegionPickerNodes::Load_Region_Picker(db, 110000, &error).isEmpty());
    EXPECT_TRUE(error.isSet());
    EXPECT_TRUE(RegionPickerNodes::Load_Counties(db, QStringLiteral("B4101")).isEmpty());
}
