#include "EditorsFixture.h"

#include "editors/MineralPicker.h"

#include <QTreeWidgetItemIterator>

// The mineral-code picker: its levels, loaded on first expansion, and what a click
// on a node chooses.
namespace {

class MineralPickerTest : public EditorsFixture
{
protected:
    QTreeWidgetItem* node(const QString& key)
    {
        for (QTreeWidgetItemIterator it(&tree); *it; ++it)
            if (MineralPicker::keyOf(*it) == key) return *it;
        return nullptr;
    }
    QStringList childTexts(const QTreeWidgetItem* n)
    {
        QStringList out;
        for (int i = 0; i < n->childCount(); ++i)
            out << n->child(i)->text(0);
        return out;
    }

    MineralPicker tree;
};

TEST_F(MineralPickerTest, TopLevelHoldsTheCategoriesWithPlaceholders)
{
    tree.Load_Mineral_Tree();
    ASSERT_EQ(tree.topLevelItemCount(), 1);
    QTreeWidgetItem* root = tree.topLevelItem(0);
    EXPECT_EQ(MineralPicker::keyOf(root), "A");
    EXPECT_EQ(root->text(0), "矿产类别");
    ASSERT_EQ(root->childCount(), 9);
    EXPECT_EQ(MineralPicker::keyOf(root->child(2)), "B10003");
    EXPECT_EQ(root->child(2)->text(0), "有色金属矿产");
    EXPECT_EQ(MineralPicker::keyOf(root->child(2)->child(0)), "C2");
    EXPECT_EQ(root->child(2)->child(0)->text(0), "NULL");

    // Filling again starts over; an empty dictionary gives the root alone.
    exec("DELETE FROM cb06");
    tree.Load_Mineral_Tree();
    ASSERT_EQ(tree.topLevelItemCount(), 1);
    EXPECT_EQ(tree.topLevelItem(0)->childCount(), 0);
}

TEST_F(MineralPickerTest, CategoriesAndMineralsLoadOnceWhenFirstExpanded)
{
    tree.Load_Mineral_Tree();
    QTreeWidgetItem* precious = node("B10004");
    ASSERT_NE(precious, nullptr);
    precious->setExpanded(true);
    EXPECT_EQ(childTexts(precious), QStringList({"金矿", "银矿", "铂族金属"})) << "one node per mineral";
    exec("INSERT INTO cb06 (矿产代码, 矿产名称, 矿产类别, 统计对象) VALUES (23009, '新矿', 10004, 0)");
    precious->setExpanded(false);
    precious->setExpanded(true);
    EXPECT_EQ(precious->childCount(), 3) << "not read again";

    QTreeWidgetItem* gold = node("C23001");
    ASSERT_NE(gold, nullptr);
    EXPECT_EQ(childTexts(gold), QStringList({"JSDX"}));
    EXPECT_EQ(node("C23002")->childCount(), 0) << "a mineral counted one way is a leaf";
    gold->setExpanded(true);
    EXPECT_EQ(childTexts(gold), QStringList({"岩金  千克/千吨", "砂金  千克/千立方米", "伴生金  千克"}));
    EXPECT_EQ(MineralPicker::keyOf(gold->child(1)), "D230012");

    node("B10009")->setExpanded(true);
    EXPECT_EQ(node("C41001")->text(0), "地下水");
}

TEST_F(MineralPickerTest, AClickChoosesALeafBelowTheRoot)
{
    tree.Load_Mineral_Tree();
    node("B10004")->setExpanded(true);
    node("C23001")->setExpanded(true);

    EXPECT_FALSE(MineralPicker::choiceOf(node("A")).valid);
    EXPECT_FALSE(MineralPicker::choiceOf(node("B10004")).valid);
    EXPECT_FALSE(MineralPicker::choiceOf(node("C23001")).valid) << "a mineral with statistics objects";

    const auto silver = MineralPicker::choiceOf(node("C23002"));
    EXPECT_TRUE(silver.valid);
    EXPECT_EQ(silver.mineral, 23002);
    EXPECT_EQ(silver.object, 0);
    EXPECT_EQ(silver.mineralText, "银矿");

    const auto placer = MineralPicker::choiceOf(node("D230012"));
    EXPECT_TRUE(placer.valid);
    EXPECT_TRUE(placer.fromObject);
    EXPECT_EQ(placer.mineral, 23001);
    EXPECT_EQ(placer.object, 2);
    EXPECT_EQ(placer.mineralText, "金矿");
    EXPECT_EQ(placer.objectText, "砂金  千克/千立方米");

    // The query dialog takes the mineral of either node.
    EXPECT_EQ(MineralPicker::mineralCodeOf(node("C23001")), 23001);
    EXPECT_EQ(MineralPicker::mineralCodeOf(node("D230012")), 23001);
    EXPECT_EQ(MineralPicker::mineralCodeOf(node("B10004")), 0);
}

} // namespace
