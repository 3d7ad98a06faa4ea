#pragma once

#include "registration/form/FormControl.h"

#include <QList>
#include <QString>
#include <QStringList>

// The binding of the entry window's field boxes to the registration tables: the
// array names the table (Kn1Data 登记, Kn2Data 压覆, Kn3Data 报告, Kn6Data 坐标)
// and each box's tooltip text names its column. Built from the form layout.
//
// A column may have several boxes: a date is three boxes (year, month, day) at
// consecutive indexes; 电话号码 is two (area code, number); 建设单位 has one on the
// cover and one on the first page.
class FieldRegistry
{
public:
    using Array = FormControl::Array;

    // What part of the column's value a box holds.
    enum class Part { Whole, Year, Month, Day, AreaCode, Number };

    struct Box
    {
        Array array = Array::None;
        int index = -1;
        Part part = Part::Whole;

        bool operator==(const Box&) const = default;
    };

    // Table of an array ("登记", "压覆", "报告", "坐标"), and the array of a table.
    static QString tableOf(Array array);
    static Array arrayOf(const QString& table);
    // Name of an array ("Kn1Data" ...).
    static QString arrayName(Array array);
    static QList<Array> arrays();

    // Number of boxes of an array (25, 39, 18, 6).
    static int count(Array array);
    // The layout entry of a box; nullptr outside the array.
    static const FormControl* control(Array array, int index);
    static QString column(Array array, int index);
    static int maxLength(Array array, int index);

    // The boxes bound to `column` of `table`, by index; empty when none is.
    static QList<Box> boxes(const QString& table, const QString& column);
    // The part of its column that a box holds.
    static Part partOf(Array array, int index);

    // The bound columns of a table, each once, in the order of their first box.
    static QStringList columns(const QString& table);
    // True when the column is a date of three boxes.
    static bool isDateColumn(const QString& table, const QString& column);
};
