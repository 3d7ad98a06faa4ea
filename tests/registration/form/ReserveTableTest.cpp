#include "registration/form/ReserveTableLayout.h"

#include <gtest/gtest.h>

namespace {

namespace R = ReserveTableLayout;

TEST(ReserveTableLayout, WidthsAndHeightsFromMillimetres)
{
    EXPECT_EQ(R::columnWidths(), (QList<int>{567, 567, 794, 1247, 454, 1077, 454, 1077, 454, 1077}));
    EXPECT_EQ(R::totalWidth(), 7768);
    EXPECT_EQ(R::headerRowHeight(), 397);
    EXPECT_EQ(R::headerHeight(), 794);
    EXPECT_DOUBLE_EQ(R::bodyHeight(), 1440.0 / 25.4 * 70);
    EXPECT_EQ(R::mmToTwips(1), 57);
    EXPECT_EQ(R::mmToTwips(25.4), 1440);
}

TEST(ReserveTableLayout, TitlesAndMergedCells)
{
    const QStringList top = R::headerRow(0);
    const QStringList bottom = R::headerRow(1);
    ASSERT_EQ(top.size(), 10);
    ASSERT_EQ(bottom.size(), 10);
    EXPECT_EQ(top[0], QStringLiteral("矿产\r名称"));
    EXPECT_EQ(top[1], QStringLiteral("矿产\r组合"));
    EXPECT_EQ(top[3], QStringLiteral("矿石类型、品级（牌号）及主要组份含量"));
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(top[c], bottom[c]);
    EXPECT_EQ(top[4], QStringLiteral("储   量"));
    EXPECT_EQ(top[5], top[4]);
    EXPECT_EQ(top[6], QStringLiteral("基础储量"));
    EXPECT_EQ(top[8], QStringLiteral("资源量"));
    for (int c = 4; c < 10; c += 2) {
        EXPECT_EQ(bottom[c], QStringLiteral("编码"));
        EXPECT_EQ(bottom[c + 1], QStringLiteral("数量"));
    }
    // Equal titles merge: down both rows in columns 0-3, across each category pair.
    for (const R::Span& s : R::headerSpans()) {
        for (int r = s.row; r < s.row + s.rows; ++r) {
            for (int c = s.column; c < s.column + s.columns; ++c) {
                EXPECT_EQ(R::headerRow(r)[c], R::headerRow(s.row)[s.column]);
            }
        }
    }
    EXPECT_EQ(R::headerSpans().size(), 7);
}

TEST(ReserveTableLayout, BodyAlignmentAndMerging)
{
    for (int c = 0; c < 10; ++c)
        EXPECT_EQ(R::bodyColumnLeftAligned(c), c == 2 || c == 3 || c == 9) << c;
    EXPECT_EQ(R::bodyMergeColumns(), (QList<int>{0, 1, 2, 3}));
    const QStringList texts = {QStringLiteral("铁"),
                               QStringLiteral("铁"),
                               QStringLiteral("铁"),
                               QStringLiteral("铜"),
                               QString(),
                               QString(),
                               QStringLiteral("铜"),
                               QStringLiteral("铜")};
    EXPECT_EQ(R::mergeRuns(texts, 1), (QList<R::Span>{{0, 1, 3, 1}, {6, 1, 2, 1}}));
    EXPECT_TRUE(R::mergeRuns({}, 0).isEmpty());
}

} // namespace
