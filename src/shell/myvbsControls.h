#pragma once

#include <QList>
#include <QString>

class QAbstractButton;
class QComboBox;
class QListWidget;
class QMdiArea;

// The routines of myvbs that work on controls.
namespace myvbs {

// True when the main window holds three or more child windows.
bool Has_Three_Child_Forms(const QMdiArea* area);

// Selects the first entry whose text, with a blank in front, contains `value`.
void Set_Combo_Value(QComboBox* box, const QString& value);
void Set_Combo_Value(QListWidget* box, const QString& value);

// Ticks the first box whose caption equals `text`; the others are left alone.
void Set_Option_By_Caption(const QList<QAbstractButton*>& boxes, const QString& text);

} // namespace myvbs
