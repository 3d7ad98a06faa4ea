#include "registration/form/CellText.h"

#include <gtest/gtest.h>

namespace {

// Every character 10 wide.
int tenEach(const QString& s)
{
    return 10 * int(s.size());
}

TEST(CellText, BreaksAtLineBreaksAndAtTheWidth)
{
    EXPECT_EQ(CellText::wrap(QStringLiteral("矿产\r名称"), 100, tenEach),
              (QStringList{QStringLiteral("矿产"), QStringLiteral("名称")}));
    EXPECT_EQ(CellText::wrap(QStringLiteral("a\r\nb\nc"), 100, tenEach),
              (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
    EXPECT_EQ(CellText::wrap(QStringLiteral("670.19\u2028\u2500\u2500\u20291311.91"), 100, tenEach),
              (QStringList{QStringLiteral("670.19"), QStringLiteral("\u2500\u2500"), QStringLiteral("1311.91")}));
    EXPECT_EQ(CellText::wrap(QStringLiteral("统计对象及单位"), 30, tenEach),
              (QStringList{QStringLiteral("统计对"), QStringLiteral("象及单"), QStringLiteral("位")}));
    // Upright in a column one character wide; a character wider than the cell stands alone.
    EXPECT_EQ(CellText::wrap(QStringLiteral("备注"), 12, tenEach),
              (QStringList{QStringLiteral("备"), QStringLiteral("注")}));
    EXPECT_EQ(CellText::wrap(QStringLiteral("备注"), 5, tenEach),
              (QStringList{QStringLiteral("备"), QStringLiteral("注")}));
    EXPECT_EQ(CellText::wrap(QString(), 50, tenEach), QStringList{QString()});
}

} // namespace
