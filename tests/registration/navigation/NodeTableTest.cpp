// The table of a navigation tree's nodes: the registrations each node stands for and
// the changes a save or a delete makes to a list on the screen.

#include "registration/navigation/NodeTable.h"

#include <gtest/gtest.h>

namespace {

// Two areas, the first with two mines; a closing node after them.
NodeTable sample()
{
    NodeTable t(TreeNodes{{"A1", "一区", "1", ""},
                          {"B11", "1", "1", "A1"},
                          {"C4000000000001", "甲", "4000000000001", "B11"},
                          {"C4000000000002", "乙", "4000000000002", "B11"},
                          {"B12", "2", "2", "A1"},
                          {"C4000000000003", "丙", "4000000000003", "B12"},
                          {"A2", "二区", "2", ""},
                          {"B20", "0", "0", "A2"},
                          {"C4000000000004", "丁", "4000000000004", "B20"},
                          {"", "...", "...", ""}});
    return t;
}

QStringList rootTexts(const NodeTable& t)
{
    QStringList texts;
    for (int r = 0; r < t.rootCount(); ++r)
        texts << t.text(t.root(r)).toString();
    return texts;
}

TEST(NodeTableTest, CountsAndChangesOfATreeOnTheScreen)
{
    NodeTable t = sample();
    EXPECT_EQ(t.registrationCount(), 4);
    EXPECT_EQ(t.registrationsAt(0), 3);
    EXPECT_EQ(t.childCount(0), 2);
    EXPECT_EQ(t.child(0, 1), 4);
    EXPECT_EQ(t.row(5), 0);
    EXPECT_EQ(t.findKeySuffix(QStringLiteral("4000000000003"), 13), 5);
    EXPECT_EQ(t.findKeySuffix(QString(), 13), -1);

    // A registration saved as new goes before the closing node.
    const int added = t.insertRoot(2, QStringLiteral("4000000000009"), QStringLiteral("4000000000009"),
                                   QStringLiteral("4000000000009"));
    EXPECT_EQ(rootTexts(t), (QStringList{"一区", "二区", "4000000000009", "..."}));
    EXPECT_EQ(t.row(added), 2);
    EXPECT_EQ(t.registrationCount(), 5);

    // A deleted registration is gone from its mine; a mine left without one counts as
    // one, as it shows; a deleted area takes what is below it.
    t.remove(5);
    EXPECT_EQ(t.childCount(4), 0);
    EXPECT_EQ(t.registrationsAt(0), 3);
    EXPECT_EQ(t.findKeySuffix(QStringLiteral("4000000000003"), 13), -1);
    t.remove(2);
    EXPECT_EQ(t.childCount(1), 1);
    EXPECT_EQ(t.child(1, 0), 3);
    EXPECT_EQ(t.row(3), 0);
    t.remove(6);
    EXPECT_EQ(rootTexts(t), (QStringList{"一区", "4000000000009", "..."}));
    EXPECT_EQ(t.findKeySuffix(QStringLiteral("4000000000004"), 13), -1);
    EXPECT_EQ(t.registrationCount(), 3);

    // A renamed registration is found under its new number.
    t.setKey(3, QStringLiteral("C4000000000005"));
    t.setText(3, QStringLiteral("戊"));
    EXPECT_EQ(t.findKeySuffix(QStringLiteral("4000000000005"), 13), 3);
    EXPECT_EQ(t.nodes().at(2), (TreeNode{"C4000000000005", "戊", "4000000000002", "B11"}));

    t.swapLabels();
    EXPECT_EQ(t.text(0), QStringLiteral("1"));
    EXPECT_EQ(t.tag(0), QStringLiteral("一区"));
}

TEST(NodeTableTest, KeysAndTextsFromUtf8KeepEveryCharacter)
{
    NodeTable t;
    const NodeTable::Text key = t.putKey(u'B', QUtf8StringView("510104001"), QUtf8StringView("矿山𠀀"));
    const NodeTable::Text name = t.put(QUtf8StringView("锦江 铁矿区"));
    t.add(key, name, name, -1);
    EXPECT_EQ(t.key(0), QStringLiteral("B510104001矿山𠀀"));
    EXPECT_EQ(t.text(0), QStringLiteral("锦江 铁矿区"));
    EXPECT_EQ(t.nodes(), (TreeNodes{{"B510104001矿山𠀀", "锦江 铁矿区", "锦江 铁矿区", ""}}));
}

} // namespace
