#pragma once

#include "platform/BusyCursor.h"
#include "platform/Database.h"
#include "platform/FileGate.h"

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

// The refusals every import dialog shares, with their messages; the file check
// itself is widget-free (ImportFileCheck.h).
namespace exchange {

// The backup of the working database made before every import.
QString backupPath();

// Backs the working database up before an import (backupDatabase to backupPath()).
// A working database that is the backup file itself is refused, naming it, before
// anything is written: the backup would be put over the open database. Either
// refusal is told; false when there is no backup, and then no import. While the
// copy is made the pointer is busy and status panel 1 says so (then again what it
// said before), the windows painted first.
bool backupBeforeImport(QWidget* parent);

// An import of the file `source`, from its backup to its end. The source is read
// all the while, so nothing replaces it (FileGate::Reading); the working database
// is backed up first (backupBeforeImport), and once it is, the pointer is busy
// until importDone(), which the window calls before it tells the outcome.
class ImportRun
{
public:
    ImportRun(const QString& source, QWidget* parent);
    ImportRun(const ImportRun&) = delete;
    ImportRun& operator=(const ImportRun&) = delete;

    // False when there is no backup, and then no import.
    bool backedUp() const { return m_backedUp; }
    // The import has ended: the pointer is itself again; the source stays read.
    void importDone() { m_busy.reset(); }

private:
    const FileGate::Reading m_reading;
    bool m_backedUp = false;
    std::optional<BusyCursor> m_busy;
};

// The file check and the version check of a chosen file, each refusal told to the
// user; false when the file is refused. `noTable` is the message for a file that
// lacks `table`. A file that lacks one of the tables `reads` that the import will
// read (or one of their columns) is refused too (acceptImportTables).
bool acceptImportFile(const QString& path, const QString& table, const QString& noTable, bool checkVersion,
                      const QStringList& reads, QWidget* parent);

// A file named for an import (by the file dialog or typed) checked in full: it
// must exist, be neither the working database nor its backup, and pass the file
// check and the version check. Each refusal is told; false when refused.
bool acceptChosenFile(const QString& path, const QString& table, const QString& noTable,
                      const QStringList& reads, QWidget* parent);

// The tables `reads` of the import file compared with the template: a file that
// lacks one of them, or one of their columns, is refused with a message naming it
// (false), before anything is written.
bool acceptImportTables(const QString& path, const QStringList& reads, QWidget* parent);
// The same check of the file open on `file` against the template open on
// `reference` (none when the template did not open).
bool acceptImportTables(const QSqlDatabase& file, const Db::ScopedConnection& reference,
                        const QStringList& reads, QWidget* parent);
QString missingImportMessage(const Db::MissingColumn& missing);

// The path in the path box when "导入" is pressed: it must be given and name an
// existing file other than the working database and its backup. Each refusal is
// told; false when refused.
bool acceptImportPath(const QString& path, QWidget* parent);

// Importing the working database or the backup into the working database is
// refused with a message (false).
bool acceptImportSource(const QString& path, QWidget* parent);

} // namespace exchange
