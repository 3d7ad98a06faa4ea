#pragma once

#include <QDate>
#include <QList>
#include <QString>

class QAbstractButton;
class QComboBox;
class QListWidget;
class QMdiArea;

// Small routines that windows of every part of the program call. None shows a
// message and none keeps state.
namespace myvbs {

// True when the file can be opened for reading.
bool FileExist(const QString& path);

// True when the main window holds three or more child windows.
bool Has_Three_Child_Forms(const QMdiArea* area);

// Number of set elements of Form_Opened(1 to 5), minus 1.
int Count_Set_Flags();

// Length of a text in bytes of the Chinese code page: 2 for every character beyond
// ASCII, 1 for the others.
int LenA(const QString& text);

// "DDD.MMSS" degrees-minutes-seconds text to decimal degrees.
double DMS_To_Degree(const QString& text);

QString Strip_CrLf(const QString& text);

// Selects the first entry whose text, with a blank in front, contains `value`.
void Set_Combo_Value(QComboBox* box, const QString& value);
void Set_Combo_Value(QListWidget* box, const QString& value);

// Ticks the first box whose caption equals `text`; the others are left alone.
void Set_Option_By_Caption(const QList<QAbstractButton*>& boxes, const QString& text);

// A date text (2008-11-3, 2008/11/3, 2008年11月3日 ...) between 1900-01-01 and
// 4000-01-01, both included.
bool Is_Valid_Date(const QString& text);
// The date that Is_Valid_Date accepts, or a null date.
QDate Valid_Date(const QString& text);

} // namespace myvbs
