#pragma once

#include <QString>
#include <QStringList>

// Questions about the names of files: whether two paths name one file.
namespace FilePaths {

// The real path of `path`: absolute, every link and "." and ".." resolved; a part
// that does not exist is taken as it is written. Empty for an empty path or a loop
// of links.
QString realPath(const QString& path);

// True when the two paths name the same file once each is taken to its real path:
// relative to the current folder, every link and "." and ".." resolved. A path
// that does not exist yet is resolved as far as it goes, so it may still be a file
// that exists through a link or "..", and a link counts as the file it points to.
// Two names of one file (hard links) are the same file too. An empty path names
// nothing.
bool sameFile(const QString& a, const QString& b);

// True when `path` is the working database `database` or the template
// `templatePath` (sameFile): a file the clerk names as an output must be neither.
bool isDatabaseOrTemplate(const QString& path, const QString& database, const QString& templatePath);

// True when `openError`, the errno of an open(2) that failed, says that the path
// names no file (none there, a file where a folder should be, a name too long),
// rather than that a file is there but cannot be opened.
bool namesNoFile(int openError);

// The files SQLite keeps beside a database, named by the database's name and one of
// these: a database and these are one file.
const QStringList& sideFileSuffixes();

} // namespace FilePaths
