#pragma once

#include "registration/form/FormControl.h"

#include "coords/CoordGrid.h"

#include <QString>
#include <QStringList>

#include <array>

// What the entry window holds at the moment of a check or a save, without any
// widget: the texts of the four bound arrays of field boxes by index, the two
// coordinate grids and whether each of them holds geographic coordinates (its
// Check1 box). The window fills it; the checks before saving and the save read it.
struct EntryValues
{
    using Array = FormControl::Array;

    // Arrays sized as the form has them, every text empty, no grids.
    EntryValues();

    QString text(Array array, int index) const;
    void setText(Array array, int index, const QString& text);
    // Number of boxes of the array.
    int count(Array array) const;

    // 登记号 (Kn1Data 0).
    QString djh() const { return text(Array::Kn1Data, 0); }

    // Area_Flex 0 (矿权坐标) and 1 (计算坐标). The checks and the save may write an
    // empty 性质 cell of a ring-end row as "1", as the grids themselves show it.
    std::array<CoordGrid*, 2> grids{};
    std::array<bool, 2> geographic{};

private:
    std::array<QStringList, 5> m_texts; // by Array
};
