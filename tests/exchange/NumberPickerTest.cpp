// The registration-number picker in its four variants.

#include "exchange/NumberPicker.h"

#include <gtest/gtest.h>

namespace {

const QStringList Numbers{"4510104082001", "4510104082002", "4510104082003", "4510104082004"};

using V = NumberPicker::Variant;

QList<bool> buttons(const NumberPicker& p)
{
    return {p.enabled(0), p.enabled(1), p.enabled(2), p.enabled(3)};
}

} // namespace

TEST(NumberPicker, EmptySourceDisablesEveryButtonInEveryVariant)
{
    for (V v : {V::Export, V::XmlExport, V::Import, V::Delete}) {
        NumberPicker p(v);
        p.setSource({});
        p.openState();
        EXPECT_EQ(buttons(p), QList<bool>({false, false, false, false}));
        p.click(NumberPicker::Source);
        EXPECT_EQ(buttons(p), QList<bool>({false, false, false, false}));
    }
}

TEST(NumberPicker, OpeningStateArmsOnlyChooseAll)
{
    NumberPicker p(V::Export);
    p.setSource(Numbers);
    p.openState();
    EXPECT_EQ(buttons(p), QList<bool>({false, false, true, false}));
    NumberPicker xml(V::XmlExport);
    xml.setSource(Numbers);
    xml.openState();
    EXPECT_EQ(buttons(xml), QList<bool>({false, false, false, false}));
    EXPECT_FALSE(xml.enabled(2)); // it has no "全选"
}

TEST(NumberPicker, AddKeepsSourceOrderWithinAPressAndAppendsLaterPresses)
{
    NumberPicker p(V::Delete);
    p.setSource(Numbers);
    p.press(NumberPicker::Add, {3, 1});
    EXPECT_EQ(p.chosen(), QStringList({Numbers[1], Numbers[3]}));
    p.press(NumberPicker::Add, {3, 1}); // the same selection again adds nothing
    EXPECT_EQ(p.chosen(), QStringList({Numbers[1], Numbers[3]}));
    p.press(NumberPicker::Add, {0});
    EXPECT_EQ(p.chosen(), QStringList({Numbers[1], Numbers[3], Numbers[0]}));
    EXPECT_EQ(p.source(), Numbers); // the source list never changes
    EXPECT_FALSE(p.allChosen());
}

TEST(NumberPicker, RemoveWithNothingSelectedStillDisablesItsButtons)
{
    NumberPicker p(V::Export);
    p.setSource(Numbers);
    p.press(NumberPicker::Add, {0, 2});
    p.click(NumberPicker::Chosen);
    EXPECT_EQ(buttons(p), QList<bool>({false, true, false, true}));
    p.press(NumberPicker::Remove, {});
    EXPECT_EQ(p.chosen().size(), 2);
    EXPECT_EQ(buttons(p), QList<bool>({false, false, false, false}));
    p.press(NumberPicker::Remove, {1});
    EXPECT_EQ(p.chosen(), QStringList({Numbers[0]}));
}

TEST(NumberPicker, ChooseAllAndNone)
{
    NumberPicker p(V::Export);
    p.setSource(Numbers);
    p.press(NumberPicker::Add, {2});
    p.press(NumberPicker::All);
    EXPECT_EQ(p.chosen(), Numbers);
    EXPECT_TRUE(p.allChosen());
    EXPECT_EQ(buttons(p), QList<bool>({false, false, false, true}));
    p.press(NumberPicker::None);
    EXPECT_TRUE(p.chosen().isEmpty());
    EXPECT_EQ(buttons(p), QList<bool>({false, false, true, false}));
}

TEST(NumberPicker, ImportChoosesAllWithoutClearingAndNoneLeavesChooseAllOff)
{
    NumberPicker p(V::Import);
    p.setSource(Numbers);
    p.press(NumberPicker::Add, {3});
    p.click(NumberPicker::Chosen); // arms "←" and "全不选"
    p.press(NumberPicker::All);
    EXPECT_EQ(p.chosen(), QStringList({Numbers[3], Numbers[0], Numbers[1], Numbers[2]}));
    EXPECT_EQ(buttons(p), QList<bool>({false, true, false, true})); // "全不选" left as it was
    p.press(NumberPicker::None);
    EXPECT_EQ(buttons(p), QList<bool>({false, false, false, false}));
    EXPECT_TRUE(p.doubleClickActs());
}

TEST(NumberPicker, XmlExportChoosesOneNumberAtMost)
{
    NumberPicker p(V::XmlExport);
    p.setSource(Numbers);
    p.press(NumberPicker::Add, {2, 0, 1});
    EXPECT_EQ(p.chosen(), QStringList({Numbers[0]}));
    p.press(NumberPicker::Add, {3});
    EXPECT_EQ(p.chosen(), QStringList({Numbers[0]}));
    p.click(NumberPicker::Chosen);
    EXPECT_EQ(buttons(p), QList<bool>({false, true, false, false}));
    p.press(NumberPicker::Remove, {0});
    EXPECT_TRUE(p.chosen().isEmpty());
    EXPECT_FALSE(p.doubleClickActs());
    EXPECT_FALSE(NumberPicker(V::Delete).doubleClickActs());
}
