#include "registration/record/RecordFixture.h"

#include "registration/record/FieldEditRules.h"

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
