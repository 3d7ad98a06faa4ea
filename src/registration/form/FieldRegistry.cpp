#include "registration/form/FieldRegistry.h"

#include "registration/form/FormLayout.h"

#include <QHash>

namespace {

using Array = FieldRegistry::Array;
using Part = FieldRegistry::Part;

struct Registry
{
    QHash<int, QList<const FormControl*>> byArray; // Array -> boxes by index
    QHash<int, QHash<int, Part>> parts;            // Array -> index -> part
};

int key(Array a)
{
    return int(a);
}

const QString PhoneColumn = QStringLiteral("电话号码");

Registry build()
{
    Registry r;
    for (const Array a : FieldRegistry::arrays()) {
        QList<const FormControl*> boxes = FormLayout::array(FieldRegistry::arrayName(a));
        r.byArray.insert(key(a), boxes);
        QHash<int, Part>& parts = r.parts[key(a)];
        // Dates: three boxes of one column at consecutive indexes.
        for (int i = 0; i < boxes.size(); ++i) {
            parts.insert(i, Part::Whole);
        }
        for (int i = 0; i + 2 < boxes.size(); ++i) {
            const QString& c = boxes[i]->column;
            if (parts.value(i) == Part::Whole && boxes[i + 1]->column == c && boxes[i + 2]->column == c) {
                parts[i] = Part::Year;
                parts[i + 1] = Part::Month;
                parts[i + 2] = Part::Day;
                i += 2;
            }
        }
        // The telephone number: area code, then number.
        int phone = 0;
        for (int i = 0; i < boxes.size(); ++i) {
            if (boxes[i]->column == PhoneColumn) parts[i] = phone++ == 0 ? Part::AreaCode : Part::Number;
        }
    }
    return r;
}

const Registry& registry()
{
    static const Registry r = build();
    return r;
}

} // namespace

QList<FieldRegistry::Array> FieldRegistry::arrays()
{
    return {Array::Kn1Data, Array::Kn2Data, Array::Kn3Data, Array::Kn6Data};
}

QString FieldRegistry::tableOf(Array array)
{
    switch (array) {
    case Array::Kn1Data:
        return QStringLiteral("登记");
    case Array::Kn2Data:
        return QStringLiteral("压覆");
    case Array::Kn3Data:
        return QStringLiteral("报告");
    case Array::Kn6Data:
        return QStringLiteral("坐标");
    case Array::None:
        break;
    }
    return {};
}

FieldRegistry::Array FieldRegistry::arrayOf(const QString& table)
{
    for (const Array a : arrays()) {
        if (tableOf(a) == table) return a;
    }
    return Array::None;
}

QString FieldRegistry::arrayName(Array array)
{
    switch (array) {
    case Array::Kn1Data:
        return QStringLiteral("Kn1Data");
    case Array::Kn2Data:
        return QStringLiteral("Kn2Data");
    case Array::Kn3Data:
        return QStringLiteral("Kn3Data");
    case Array::Kn6Data:
        return QStringLiteral("Kn6Data");
    case Array::None:
        break;
    }
    return {};
}

int FieldRegistry::count(Array array)
{
    return int(registry().byArray.value(key(array)).size());
}

const FormControl* FieldRegistry::control(Array array, int index)
{
    const QList<const FormControl*> boxes = registry().byArray.value(key(array));
    if (index < 0 || index >= boxes.size()) return nullptr;
    return boxes[index];
}

QString FieldRegistry::column(Array array, int index)
{
    const FormControl* c = control(array, index);
    return c ? c->column : QString();
}

int FieldRegistry::maxLength(Array array, int index)
{
    const FormControl* c = control(array, index);
    return c ? c->maxLength : 0;
}

FieldRegistry::Part FieldRegistry::partOf(Array array, int index)
{
    return registry().parts.value(key(array)).value(index, Part::Whole);
}

QList<FieldRegistry::Box> FieldRegistry::boxes(const QString& table, const QString& column)
{
    QList<Box> out;
    const Array a = arrayOf(table);
    if (a == Array::None) return out;
    const QList<const FormControl*> all = registry().byArray.value(key(a));
    for (int i = 0; i < all.size(); ++i) {
        if (all[i]->column == column) out.append(Box{a, i, partOf(a, i)});
    }
    return out;
}

QStringList FieldRegistry::columns(const QString& table)
{
    QStringList out;
    const Array a = arrayOf(table);
    if (a == Array::None) return out;
    for (const FormControl* c : registry().byArray.value(key(a))) {
        if (!out.contains(c->column)) out.append(c->column);
    }
    return out;
}

bool FieldRegistry::isDateColumn(const QString& table, const QString& column)
{
    const QList<Box> b = boxes(table, column);
    return b.size() == 3 && b[0].part == Part::Year;
}
