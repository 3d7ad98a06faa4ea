#include "support/Unwrap.h"
#include "registration/record/RecordFixture.h"

#include "registration/record/RegionPickerNodes.h"

#include <gtest/gtest.h>

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
    static const RegionPickerNodes::Node* find(const RegionPickerNodes::Nodes& nodes, const QString& key)
    {
        for (const RegionPickerNodes::Node& n : nodes) {
            if (n.key == key) return &n;
        }
        return nullptr;
    }
    QSqlDatabase db;
};
} // namespace

TEST_F(RegionPicker, MunicipalityDistrictsHangUnderTheProvince)
{
    const RegionPickerNodes::Nodes nodes = unwrap(RegionPickerNodes::Load_Region_Picker(db, 110000));
    ASSERT_FALSE(nodes.isEmpty());
    EXPECT_EQ(nodes[0],
              (RegionPickerNodes::Node{QStringLiteral("A11"), QStringLiteral("北京市"), QString()}));
    const RegionPickerNodes::Node* d = find(nodes, QStringLiteral("C110101"));
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->text, QStringLiteral("东城区"));
    EXPECT_EQ(d->parentKey, QStringLiteral("A11"));
    EXPECT_EQ(RegionPickerNodes::Region_Box_Text(d->key), QStringLiteral("110101   "));
}

TEST_F(RegionPicker, CitiesWithPlaceholdersAndProvinceCounties)
{
    const RegionPickerNodes::Nodes nodes = unwrap(RegionPickerNodes::Load_Region_Picker(db, 410000));
    const RegionPickerNodes::Node* city = find(nodes, QStringLiteral("B4101"));
    ASSERT_NE(city, nullptr);
    EXPECT_EQ(city->parentKey, QStringLiteral("A41"));
    const RegionPickerNodes::Node* placeholder = find(nodes, QStringLiteral("C0"));
    ASSERT_NE(placeholder, nullptr);
    EXPECT_EQ(placeholder->text, RegionPickerNodes::Placeholder);
    EXPECT_EQ(placeholder->parentKey, QStringLiteral("B4101"));
    EXPECT_EQ(find(nodes, QStringLiteral("C410102")), nullptr) << "a city's counties come on expansion";
    const RegionPickerNodes::Node* direct = find(nodes, QStringLiteral("C419001"));
    ASSERT_NE(direct, nullptr) << "a county governed by the province itself";
    EXPECT_EQ(direct->parentKey, QStringLiteral("A41"));

    const RegionPickerNodes::Nodes counties = unwrap(RegionPickerNodes::Load_Counties(db, QStringLiteral("B4101")));
    ASSERT_FALSE(counties.isEmpty());
    EXPECT_EQ(counties[0].key.left(5), QStringLiteral("C4101"));
    for (const RegionPickerNodes::Node& n : counties)
        EXPECT_EQ(n.parentKey, QStringLiteral("B4101"));
}

TEST_F(RegionPicker, NoProvinceOrNoTable)
{
    EXPECT_TRUE(unwrap(RegionPickerNodes::Load_Region_Picker(db, 0)).isEmpty());
    ASSERT_TRUE(Db::exec(db, QStringLiteral("drop table cb08")));
    EXPECT_FALSE(RegionPickerNodes::Load_Region_Picker(db, 110000));
    EXPECT_FALSE(RegionPickerNodes::Load_Counties(db, QStringLiteral("B4101")));
}
