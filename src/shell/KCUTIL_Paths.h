#pragma once

#include <QString>

// Folder and file-name parts of a path. Both "/" and "\" separate the parts.
namespace KCUTIL {

// The text before the last separator (C:\data\djk.mdb gives C:\data, C:\djk.mdb
// gives C:); empty when there is none.
QString Get_File_Dir(const QString& path);
// The text after the last separator; the whole path when there is none.
QString Get_File_Name(const QString& path);
// Get_File_Dir, with a separator appended when that is shorter than three
// characters (C:\djk.mdb gives C:\, /djk.mdb gives /).
QString Get_Folder(const QString& path);
// A file name in a folder: folder + "/" + name (no second slash after a folder
// that ends in one).
QString joinPath(const QString& folder, const QString& name);

} // namespace KCUTIL
