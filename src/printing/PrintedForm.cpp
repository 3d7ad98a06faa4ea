#include "PrintedForm.h"

#include "registration/coordgrid/CoordGridLoader.h"
#include "registration/coordgrid/CoordGridModel.h"
#include "registration/form/FieldRegistry.h"
#include "registration/form/FormLayout.h"
#include "registration/record/RegistrationSnapshot.h"

namespace {
QString tickKey(const QString& name, int index)
{
    return name + u'(' + QString::number(index) + u')';
}

const QString Overlay = QStringLiteral("压覆");
} // namespace

int PrintedForm::tick(const QString& name, int index) const
{
    return ticks.value(tickKey(name, index), 0);
}

void PrintedForm::setTick(const QString& name, int index, int value)
{
    ticks.insert(tickKey(name, index), value);
}

PrintedForm PrintedForm::fromSnapshot(const RegistrationSnapshot& snap)
{
    using Array = FormControl::Array;
    using Part = FieldRegistry::Part;
    PrintedForm form;
    form.djh = snap.djh;
    for (const Array array : FieldRegistry::arrays()) {
        const QString table = FieldRegistry::tableOf(array);
        if (!snap.has(table)) continue;
        for (int i = 0; i < FieldRegistry::count(array); ++i) {
            const QString column = FieldRegistry::column(array, i);
            QString text;
            switch (FieldRegistry::partOf(array, i)) {
            case Part::Whole:
                text = snap.text(table, column);
                break;
            case Part::Year:
                text = snap.date(table, column).year;
                break;
            case Part::Month:
                text = snap.date(table, column).month;
                break;
            case Part::Day:
                text = snap.date(table, column).day;
                break;
            case Part::AreaCode:
                text = snap.phoneArea;
                break;
            case Part::Number:
                text = snap.phoneNumber;
                break;
            }
            form.values.setText(array, i, text);
        }
    }
    if (snap.has(Overlay)) {
        form.category = snap.text(Overlay, QStringLiteral("建设项目类别")).trimmed();
        // Of each tick pair, the box whose caption is the stored text is ticked.
        for (const QString& group : {QStringLiteral("Check11"), QStringLiteral("Check12")}) {
            for (const FormControl* box : FormLayout::array(group)) {
                const QString stored = snap.text(Overlay, box->column);
                if (!stored.trimmed().isEmpty() && stored == box->caption) form.setTick(group, box->index, 1);
            }
        }
    }
    const QString lines[2] = {snap.areaLines, snap.calcLines};
    for (int i = 0; i < 2; ++i) {
        form.ownedGrids[i] = std::make_shared<CoordGridModel>();
        bool geographic = false;
        CoordGridLoader::Init_Flex(*form.ownedGrids[i], geographic, lines[i]);
        form.values.grids[i] = form.ownedGrids[i].get();
        form.values.geographic[i] = geographic;
        form.setTick(QStringLiteral("Check1"), i, geographic ? 1 : 0);
    }
    return form;
}

Result<PrintedForm> PrintedForm::load(const QSqlDatabase& db, const QString& djh)
{
    const RegistrationSnapshot snap = RegistrationSnapshot::read(db, djh);
    if (snap.error.isSet()) return snap.error;
    if (!snap.has(QStringLiteral("登记")))
        return Db::Error{-1, QStringLiteral("PrintedForm"), QStringLiteral("登记号 %1 不存在").arg(djh)};
    return fromSnapshot(snap);
}
