#pragma once

#include <QDate>
#include <QList>
#include <QString>

// Small routines that every subsystem calls. None shows a message and
// none keeps state. The ones that work on controls are in myvbsControls.h.
namespace myvbs {

// True when a file, not a folder, is at `path`, whether this user may read it or not.
// Opens nothing.
bool FileExist(const QString& path);

// Number of set elements of Form_Opened(1 to 5), minus 1.
int Count_Set_Flags();

// Length of a text in bytes of the Chinese code page: 2 for every character beyond
// ASCII, 1 for the others.
int LenA(const QString& text);

// "DDD.MMSS" degrees-minutes-seconds text to decimal degrees.
double DMS_To_Degree(const QString& text);

QString Strip_CrLf(const QString& text);

// A date text (2008-11-3, 2008/11/3, 2008年11月3日 ...) between 1900-01-01 and
// 4000-01-01, both included.
bool Is_Valid_Date(const QString& text);
// The date that Is_Valid_Date accepts, or a null date.
QDate Valid_Date(const QString& text);

} // namespace myvbs
