// The region selection rule and the region tree built from the kind tables.

#include "RegionFixture.h"

#include "regions/RegionSelection.h"
#include "regions/RegionTree.h"

namespace {

using RegionPickerNodes::Node;

class RegionTreeTest : public RegionFixture
{
protected:
    static const Node* find(const RegionPickerNodes::Nodes& nodes, const QString& key)
    {
        for (const Node& n : nodes)
            if (n.key == key) return &n;
        return nullptr;
    }
    static QString parentOf(const RegionPickerNodes::Nodes& nodes, const QString& key)
    {
        const Node* n = find(nodes, key);
        return n ? n->parentKey : QStringLiteral("(none)");
    }
};

} // namespace

TEST(RegionSelection, PrefixAndCondition)
{
    EXPECT_EQ(regions::Region_Prefix(" 510000 "), "51");
    EXPECT_EQ(regions::Region_Prefix("110000"), "11") << "0000 is tested before 00";
    EXPECT_EQ(regions::Region_Prefix("510100"), "5101");
    EXPECT_EQ(regions::Region_Prefix("510104"), "510104");
    EXPECT_EQ(regions::Region_Prefix("5101"), "5101");

    for (const char* good : {"51", "5101", "510000", "510100", "510104", " 510104 "})
        EXPECT_TRUE(regions::isRegionCode(good)) << good;
    for (const char* bad : {"", "5", "510", "51010", "5101041", "1100000", "51a104", "51 104", "5101'4"})
        EXPECT_FALSE(regions::isRegionCode(bad)) << bad;

    EXPECT_TRUE(regions::regionCondition("k.行政区代码", "51010").isEmpty());
    EXPECT_EQ(regions::regionCodeOf("51"), "510000");
    EXPECT_EQ(regions::regionCodeOf("5101"), "510100");
}

TEST_F(RegionTreeTest, ProvincesCitiesAndRegionsOfTheChosenKinds)
{
    addSample(db());
    addKind(db(), "压覆", "4510000082001", 510000); // a stored province code
    addKind(db(), "压覆", "4110101082001", 110101); // Beijing lists no city row
    addKind(db(), "压覆", "4419001082001", 419001); // a county under its province
    addKind(db(), "压覆", "4990101082001", 990101); // no such region
    addKind(db(), "停办", "3320102082001", 320102);
    exec(db(), "INSERT INTO 压覆 (登记号, 行政区代码) VALUES ('4000000000001', NULL)");

    const RegionPickerNodes::Nodes overlay = regions::Load_Region_Tree(db(), false);
    ASSERT_FALSE(overlay.isEmpty());
    EXPECT_EQ(overlay.first(), (Node{"A11", "北京市", ""}));
    EXPECT_EQ(parentOf(overlay, "C110101"), "A11");
    EXPECT_EQ(find(overlay, "C110101")->text, "东城区");
    EXPECT_EQ(parentOf(overlay, "C419001"), "A41");
    EXPECT_EQ(parentOf(overlay, "B5101"), "A51");
    EXPECT_EQ(find(overlay, "B5101")->text, "成都市");
    EXPECT_EQ(parentOf(overlay, "C510104"), "B5101");
    EXPECT_EQ(parentOf(overlay, "C510105"), "B5101");
    EXPECT_EQ(parentOf(overlay, "C510703"), "B5107");
    // The province's own code is a leaf under a city node of the province's name.
    EXPECT_EQ(find(overlay, "B5100")->text, "四川省");
    EXPECT_EQ(parentOf(overlay, "C510000"), "B5100");
    EXPECT_EQ(find(overlay, "C510000")->text, "四川省");
    // Codes the dictionary lacks show their digits.
    EXPECT_EQ(find(overlay, "A99")->text, "990000");
    EXPECT_EQ(find(overlay, "C990101")->text, "990101");
    EXPECT_EQ(find(overlay, "A32"), nullptr) << "only 压覆 with the first option";

    const RegionPickerNodes::Nodes all = regions::Load_Region_Tree(db(), true);
    EXPECT_EQ(parentOf(all, "C320102"), "B3201");
    int chengdu = 0;
    for (const Node& n : all)
        chengdu += n.key == "C510104";
    EXPECT_EQ(chengdu, 1) << "a code of several kind tables is listed once";
    // Provinces in code order.
    QStringList provinces;
    for (const Node& n : all)
        if (n.parentKey.isEmpty()) provinces << n.key;
    EXPECT_EQ(provinces, QStringList({"A11", "A32", "A41", "A51", "A99"}));
}

TEST_F(RegionTreeTest, UnreadableTablesGiveWhatCanBeRead)
{
    addSample(db());
    exec(db(), "DROP TABLE 停办");
    exec(db(), "DROP TABLE cb08");
    const RegionPickerNodes::Nodes all = regions::Load_Region_Tree(db(), true);
    ASSERT_NE(find(all, "C510104"), nullptr);
    EXPECT_EQ(find(all, "A51")->text, "510000");
    EXPECT_EQ(parentOf(all, "C510104"), "A51") << "no dictionary lists the city";
}
