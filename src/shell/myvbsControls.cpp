#include "myvbsControls.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QListWidget>
#include <QMdiArea>

namespace myvbs {

bool Has_Three_Child_Forms(const QMdiArea* area)
{
    return area && area->subWindowList().size() >= 3;
}

void Set_Combo_Value(QComboBox* box, const QString& value)
{
    if (!box || value.trimmed().isEmpty()) return;
    for (int i = 0; i < box->count(); ++i) {
        if ((QLatin1Char(' ') + box->itemText(i)).contains(value)) {
            box->setCurrentIndex(i);
            return;
        }
    }
}

void Set_Combo_Value(QListWidget* box, const QString& value)
{
    if (!box || value.trimmed().isEmpty()) return;
    for (int i = 0; i < box->count(); ++i) {
        if ((QLatin1Char(' ') + box->item(i)->text()).contains(value)) {
            box->setCurrentRow(i);
            return;
        }
    }
}

void Set_Option_By_Caption(const QList<QAbstractButton*>& boxes, const QString& text)
{
    if (text.trimmed().isEmpty()) return;
    for (QAbstractButton* b : boxes) {
        if (b && b->text() == text) {
            b->setChecked(true);
            return;
        }
    }
}

} // namespace myvbs
