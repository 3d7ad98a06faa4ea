#pragma once

#include "platform/Result.h"

#include <QString>
#include <QStringList>

#include <functional>

class QSqlDatabase;
class QWidget;

namespace Db {
class ScopedConnection;
}

// Start-up, the settings files, the shared connection and the judging of database
// versions against the template djk.sys.
namespace MAINBAS {

// Outcome of the start-up procedure.
enum class StartResult {
    MainWindowShown, // the main window is up; run the event loop
    Ended            // the program ends (a message has told the user why)
};

// The start-up procedure. `showMainWindow` loads and shows the main window.
StartResult Main(const QString& programDir, const std::function<void()>& showMainWindow);

// Settings files: two non-blank lines (folder, file name), resp. "1" or "0".
void Read_Djk_Ini(const QString& path);
void Read_Tjk_Ini(const QString& path);
void Read_View_Ini(const QString& path);
bool Write_Djk_Ini(const QString& path);
bool Write_Tjk_Ini(const QString& path);
bool Write_View_Ini(const QString& path);

// Path of the working database: DBPath + "/" + DBName.
QString Database_File();
// True when `path` names the working database or the template djk.sys, by their
// real paths: a file the clerk names as an output must be neither.
bool Is_Database_Or_Template(const QString& path);

// Opens the shared connection on DBPath/DBName. True when the file is a sound
// registration database (its header, schema and tables can be read, and it holds
// the table 查明 and every table and field of the template); a damaged or
// incomplete file is refused with a message naming it, a file that cannot be
// written is opened for reading after a message. The previous connection is kept
// until the new one has opened.
bool Open_Connection();

// Checks every page of the working database in the background, once its window is
// in use. Damage found is told at once with Damaged_Message, and the connection then
// writes nothing: each write fails with that message. A file found sound gets the
// writes that wait for the check (When_Found_Sound); a check that cannot decide (the
// file locked beyond the wait, a failure to read it) tells the clerk that they are
// not made.
void Check_Working_Database();

// Makes `write` on the working database once the check of its every page has found it
// sound (at once when it has already), and never when the check fails: the writes
// that the open or the switch of a database make on their own wait for it, so that
// the program never writes into a damaged file. A transaction of the clerk's open on
// the connection holds the write back until it ends; a database no longer in use by
// then gets the write into its file all the same, but another file put at its path
// meanwhile never does. `key` says what it writes whatever the value (WriteKeys): a
// newer write of the same key into the same file takes the place of one still
// waiting, so that the file keeps the value in use. `what` names it for the clerk,
// with the value ("省代码510000"). A write that fails, and one that is not made because
// the check could not decide, another file is at the path or the program ends first,
// is told with Unwritten_Message.
void When_Found_Sound(const QString& key, const QString& what,
                      std::function<Status(const QSqlDatabase&)> write);
// A value written into the working database at once (the province code the clerk
// sets for it): a write of the same key still waiting for the file would undo it,
// and is let go without a word.
void Withdraw_Waiting_Write(const QString& key);
// Forgets every waiting write without a word: for tests, each of which is a run of
// the program of its own.
void Forget_Waiting_Writes();
// "没有写入数据库文件<file>：<what, …>" and the cause on a line of its own.
QString Unwritten_Message(const QString& file, const QStringList& what, const QString& cause);

// The messages of a refused or limited working database, each naming the file.
QString Damaged_Message(const QString& file, const QString& detail);

// Checks every page of the file open on `db` under the busy cursor. A damaged file
// is refused with Damaged_Message naming `file`, titled "错误". True when sound.
bool Check_Whole_File(const QSqlDatabase& db, const QString& file, QWidget* parent = nullptr);
QString Missing_Table_Message(const QString& file, const QString& table, const QString& column);
// What a database lacks, as the messages say it: "缺少表【…】", or "的表【…】缺少字段【…】"
// when `column` is given.
QString Missing_Table_Text(const QString& table, const QString& column);
QString Read_Only_Message(const QString& file, const QString& cause);

// Reads 省代码 of 参数表 into ProvinceCode.
void Get_Province_Code();

enum class VersionCheck {
    Accepted,        // not older than the template
    NotRegistration, // no table 查明: left to Open_Connection to refuse
    Older,           // told the user, cleared the settings: the program ends
    Failed           // the check itself failed and was reported: the file is refused
};

// The start-up check of the configured database against the template open on
// `reference`. The database is opened read-write for it, once: when it is accepted,
// or holds no 查明 for its open to refuse, `connectionName` names that connection,
// otherwise the connection is closed and the name empty.
VersionCheck Check_DB_Version(const Db::ScopedConnection& reference, QString* connectionName);

// Judges the database file at `path` against the template: 1 accepted, -2 not a
// registration database, -3 older or without a version, -1 failure.
int Check_Import_DB(const QString& path);
// The same judgement of the database open on `db` against the template open on
// `reference` (a template that did not open fails the check).
int Check_Import_DB(const QSqlDatabase& db, const Db::ScopedConnection& reference);

// Makes the database file at `path` the working database, judged against the
// template and opened on one connection: InUse, or nothing changed (the connection,
// DBPath and DBName as they were) when it is older (nothing shown), refused (the
// failure shown) or fails to open or its checks (their messages shown).
enum class SwitchResult { InUse, Older, Refused, NotOpened };
SwitchResult Switch_Working_Database(const QString& path);

// The version rule: true when the database's version text counts as older than
// the template's.
bool Is_Older_Version(const QString& templateVersion, const QString& databaseVersion);

} // namespace MAINBAS
