#pragma once

#include "registration/form/FormControl.h"

#include "coords/CoordGrid.h"

#include <QString>
#include <QStringList>
#include <QVariant>

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

    // What the window loaded from the database (all empty while it shows no stored
    // registration): the save rewrites no registration but this one.
    struct Loaded
    {
        QString djh;      // 登记号 of the registration loaded
        QString database; // the database it was loaded from
        // A stored value the load put in one box, or spread over several (a date of
        // any form over its three, 电话号码 over its two), and the texts it put in
        // them, from box `first` on: while the boxes still show these, the stored
        // value is written back unchanged, byte for byte.
        struct Split
        {
            Array array = Array::None;
            int first = -1;
            QVariant stored;
            QStringList parts;
        };
        QList<Split> splits;
    };
    Loaded loaded;

    // The loaded value put in the boxes from `first` on, while they still show what
    // the load put in them: it is saved back as stored (a date is not checked).
    // Null when the boxes were edited or held no stored value.
    const Loaded::Split* unedited(Array array, int first) const;

private:
    std::array<QStringList, 5> m_texts; // by Array
};
