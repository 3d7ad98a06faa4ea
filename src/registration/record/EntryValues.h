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

    // What the window loaded from the database (all empty while it shows no stored
    // registration): the save rewrites no registration but this one.
    struct Loaded
    {
        QString djh;      // 登记号 of the registration loaded
        QString database; // the database it was loaded from
        // 电话号码 as stored and the two box texts the load made of it: while the
        // boxes still show these, the stored text is written back unchanged.
        bool hasPhone = false;
        QString phone, phoneArea, phoneNumber;
        // A stored date (of any form: "2016/3/5", a text that is no date) and the
        // texts the load put in its three boxes, from the year's index on.
        struct Date
        {
            Array array = Array::None;
            int year = -1;
            QString stored;
            QStringList parts;
        };
        QList<Date> dates;
    };
    Loaded loaded;

    // The loaded date of the three boxes from `year` on while they still show what
    // the load put in them: it is saved back as stored and not checked. Null when
    // the boxes were edited or held no stored date.
    const Loaded::Date* uneditedDate(Array array, int year) const;

private:
    std::array<QStringList, 5> m_texts; // by Array
};
