#pragma once

#include <QString>

namespace editors {

// The ore row that the row list window hands to a detail editor, and the marker
// the editor hands back: the mineral, statistics object, ore type and grade of the
// row, its combination, the base of its 显示序号 (100 x grid row), and the quality
// and reserve markers. The registration is the one shown in the entry window.
struct HandOver
{
    QString Cur_DJH;
    int Cur_KCDM = 0;  // 矿产代码
    int Cur_TJDX = 0;  // 统计对象
    int Cur_KSLX = 0;  // 矿石类型, 0 for none
    int Cur_KSPJ = 0;  // 矿石品级, 0 for none
    int Cur_KCZHM = 0; // 矿产组合码
    QString Cur_KCZH;  // 矿产组合
    int Cur_XSXH = 0;  // 显示序号 base
    QString Kszl_Flag; // "", "有" or "平均含量"
    QString Zycl_Flag; // "" or "有"
};

} // namespace editors
