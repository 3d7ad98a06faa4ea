#include "registration/form/ReserveTableLayout.h"

#include <cmath>
#include <numeric>

namespace ReserveTableLayout {

int mmToTwips(double mm)
{
    return int(std::nearbyint(1440.0 / 25.4 * mm)); // default rounding mode: halves to even
}

QList<int> columnWidths()
{
    const double mm[ColumnCount] = {10, 10, 14, 22, 8, 19, 8, 19, 8, 19};
    QList<int> out;
    for (double m : mm)
        out.append(mmToTwips(m));
    return out;
}

int totalWidth()
{
    const QList<int> w = columnWidths();
    return std::accumulate(w.begin(), w.end(), 0);
}

int headerRowHeight()
{
    return mmToTwips(7);
}

int headerHeight()
{
    return HeaderRows * headerRowHeight();
}

double bodyHeight()
{
    return 1440.0 / 25.4 * 70;
}

QStringList headerRow(int row)
{
    const QString cr = QStringLiteral("\r");
    const QString reserves = QStringLiteral("储   量");
    const QString basic = QStringLiteral("基础储量");
    const QString resources = QStringLiteral("资源量");
    QStringList out = {QStringLiteral("矿产") + cr + QStringLiteral("名称"),
                       QStringLiteral("矿产") + cr + QStringLiteral("组合"), QStringLiteral("统计对象及单位"),
                       QStringLiteral("矿石类型、品级（牌号）及主要组份含量")};
    if (row == 0) {
        out << reserves << reserves << basic << basic << resources << resources;
    } else {
        for (int i = 0; i < 3; ++i)
            out << QStringLiteral("编码") << QStringLiteral("数量");
    }
    return out;
}

QList<Span> headerSpans()
{
    QList<Span> out;
    for (int c = 0; c < 4; ++c)
        out.append(Span{0, c, 2, 1});
    for (int c = 4; c < ColumnCount; c += 2)
        out.append(Span{0, c, 1, 2});
    return out;
}

bool bodyColumnLeftAligned(int column)
{
    return column == 2 || column == 3 || column == ColumnCount - 1;
}

QList<int> bodyMergeColumns()
{
    return {0, 1, 2, 3};
}

QList<Span> mergeRuns(const QStringList& columnTexts, int column)
{
    QList<Span> out;
    int start = 0;
    const int n = int(columnTexts.size());
    for (int i = 1; i <= n; ++i) {
        if (i < n && columnTexts[i] == columnTexts[start]) continue;
        if (i - start >= 2 && !columnTexts[start].isEmpty()) out.append(Span{start, column, i - start, 1});
        start = i;
    }
    return out;
}

} // namespace ReserveTableLayout
