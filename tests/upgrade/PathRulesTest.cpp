#include "upgrade/PathRules.h"

#include <gtest/gtest.h>

namespace {

TEST(PathRulesTest, TheLastFailingEntryCheckWins)
{
    EXPECT_EQ(PathRules::isNull({"", "/a/late.mdb", "", ""}), "请选择源数据库，源数据库不能为空！");
    EXPECT_EQ(PathRules::isNull({"/a/old.mdb", "/a/late.mdb", "", ""}),
              "请选择目标数据库，目标数据库不能为空！");
    EXPECT_EQ(PathRules::isNull({"/a/old.mdb", "/a/late.mdb", "/a/new.mdb", " "}),
              "请选择补办目标数据库，补办目标数据库不能为空！");
    EXPECT_EQ(PathRules::isNull({"/a/old.mdb", "/a/late.mdb", "/a/new.mdb", " /a/new.mdb "}),
              "源目标数据库和补办目标数据库相同，请改变源目标数据库或者补办目标数据库路径！");
    EXPECT_EQ(PathRules::isNull({" /a/old.mdb", "", "/a/old.mdb", ""}), "");
}

TEST(PathRulesTest, ConflictsBetweenThePairsAlsoWhenTyped)
{
    const PathRules::Boxes b{"/a/old.mdb", "/a/late.mdb", "/a/new.mdb", "/a/late-new.mdb"};
    EXPECT_EQ(PathRules::sourceConflict("/a/x/../late-new.mdb", b),
              "不能选择已挂补办目标库作为源库，请重新选择源库或者补办库");
    EXPECT_EQ(PathRules::repairConflict("/a/old.mdb", b),
              "不能选择已挂源库作为补办库，请重新选择补办库或者源库");
    EXPECT_EQ(PathRules::targetConflict("/a/late-new.mdb", b), "不能选择补办目标库作为另存库！");
    EXPECT_EQ(PathRules::repairTargetConflict("/a/old.mdb", b), "不能选择源数据库作为新保存数据库！");
    EXPECT_EQ(PathRules::repairTargetConflict("/a/new.mdb", b), "不能选择目标数据库作为新保存数据库！");
    EXPECT_EQ(PathRules::targetConflict("/a/new.mdb", {"/a/old.mdb", " ", "", ""}),
              ""); // empty boxes name nothing
    EXPECT_EQ(PathRules::typedConflict({"/a/old.mdb", "/a/late.mdb", "/a/late.mdb", "/a/late-new.mdb"},
                                       "/p/djk.sys"),
              "不能选择已挂目标库作为补办目标库，请重新选择补办库或者源库");
    EXPECT_EQ(
        PathRules::typedConflict({"/a/old.mdb", "/a/late.mdb", "/a/old.mdb", "/a/late.mdb"}, "/p/djk.sys"),
        "");
}

} // namespace
