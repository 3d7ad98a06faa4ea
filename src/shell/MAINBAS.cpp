#include "MAINBAS.h"

#include "KCUTIL_Paths.h"
#include "ParaLogic.h"
#include "ProgramState.h"
#include "ShellNames.h"
#include "WaitingWrites.h"
#include "myvbs.h"
#include "platform/BusyCursor.h"
#include "platform/Database.h"
#include "platform/ErrorBox.h"
#include "platform/FileCopy.h"
#include "platform/FileError.h"
#include "platform/FileGate.h"
#include "platform/FilePaths.h"
#include "platform/NewFile.h"
#include "platform/Prompt.h"
#include "platform/Result.h"
#include "platform/TextFile.h"
#include "platform/TextNumber.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <optional>
#include <utility>

namespace MAINBAS {

namespace {

const QString kTitle = QStringLiteral("提示");

// Reads the non-blank lines of a settings file as they are: a folder or file name
// may begin or end with blanks. A file that exists but cannot be read is reported
// by name and counts as missing.
QStringList settingsLines(const QString& path)
{
    QStringList lines;
    QString error;
    if (TextFile::readLines(path, &lines, &error) == TextFile::ReadStatus::Unreadable) {
        Prompt::message(QStringLiteral("设置文件无法读取，将使用默认设置：") + QDir::toNativeSeparators(path),
                        kTitle, Prompt::Icon::Exclamation);
        return {};
    }
    QStringList result;
    for (const QString& l : lines)
        if (!l.trimmed().isEmpty()) result << l;
    return result;
}

void readTwoLines(const QString& path, QString* folder, QString* name)
{
    const QStringList lines = settingsLines(path);
    if (lines.size() >= 1) *folder = lines.at(0);
    if (lines.size() >= 2) *name = lines.at(1);
}

bool writeSettings(const QString& path, const QStringList& lines)
{
    int cause = 0;
    QString why;
    if (!TextFile::writeLines(path, lines, &why, &cause)) {
        // A failing write is told with the system's cause, a refused file with why.
        Prompt::message(cause != 0 || why.isEmpty()
                            ? FileError::text(path, cause, QStringLiteral("设置文件无法写入："))
                            : why,
                        QStringLiteral("错误"), Prompt::Icon::Critical);
        return false;
    }
    return true;
}

// Version text of the first row of 数据库参数; empty when the table or the row is
// missing. False on a failure to read.
bool readVersion(const QSqlDatabase& db, bool* hasTable, QString* version, Db::Error* error)
{
    *version = QString();
    *hasTable = Db::hasTable(db, QStringLiteral("数据库参数"));
    if (!*hasTable) return true;
    auto q = Db::exec(db, QStringLiteral("select 版本号 from 数据库参数"), {}, error);
    if (!q) return false;
    if (q->next()) *version = q->value(0).toString();
    return Db::finished(*q, error);
}

QString templatePath()
{
    return KCUTIL::joinPath(state().ProgramDir, QStringLiteral("djk.sys"));
}

enum class Judgement { Accepted, NotRegistration, Older, Failed };

// Judges the database open on `db` against the template version `templateVersion`.
Judgement judgeOpen(const QSqlDatabase& db, const QString& templateVersion, Db::Error* error)
{
    if (!Db::hasTable(db, QStringLiteral("查明"))) return Judgement::NotRegistration;
    bool hasParams = false;
    QString d;
    if (!readVersion(db, &hasParams, &d, error)) return Judgement::Failed;
    // A database without 数据库参数 carries no version, which counts as older.
    return Is_Older_Version(templateVersion, d) ? Judgement::Older : Judgement::Accepted;
}

// The template's version, read on `tpl` (djk.sys of the program folder, opened
// read-only). False with the error when it cannot be opened or read.
bool templateVersion(const Db::ScopedConnection& tpl, QString* version, Db::Error* error)
{
    if (!tpl.ok()) {
        *error = tpl.error();
        return false;
    }
    bool has = false;
    return readVersion(tpl.db(), &has, version, error);
}

Judgement judge(const QString& path, Db::Error* error)
{
    QString t;
    const Db::ScopedConnection tpl(QStringLiteral("template"), templatePath(), Db::OpenMode::ReadOnly);
    if (!templateVersion(tpl, &t, error)) return Judgement::Failed;
    Db::ScopedConnection db(QStringLiteral("judged"), path, Db::OpenMode::ReadOnly);
    if (!db.ok()) {
        *error = db.error();
        return Judgement::Failed;
    }
    return judgeOpen(db.db(), t, error);
}

} // namespace

bool Is_Older_Version(const QString& templateVersion, const QString& databaseVersion)
{
    if (templateVersion.isEmpty()) return false;
    if (databaseVersion.isEmpty()) return true;
    return TextNumber::leading(databaseVersion) < TextNumber::leading(templateVersion);
}

void Read_Djk_Ini(const QString& path)
{
    ProgramState& s = state();
    readTwoLines(path, &s.DBPath, &s.DBName);
}

void Read_Tjk_Ini(const QString& path)
{
    ProgramState& s = state();
    readTwoLines(path, &s.TJPath, &s.TJName);
}

void Read_View_Ini(const QString& path)
{
    for (const QString& line : settingsLines(path)) {
        const QString l = line.trimmed();
        if (l == QLatin1String("1") || l == QLatin1String("0")) state().ViewFlag = l;
    }
}

bool Write_Djk_Ini(const QString& path)
{
    return writeSettings(path, {state().DBPath, state().DBName});
}

bool Write_Tjk_Ini(const QString& path)
{
    return writeSettings(path, {state().TJPath, state().TJName});
}

bool Write_View_Ini(const QString& path)
{
    const QString& v = state().ViewFlag;
    if (v == QLatin1String("1") || v == QLatin1String("0")) return writeSettings(path, {v});
    return writeSettings(path, {});
}

QString Database_File()
{
    return KCUTIL::joinPath(state().DBPath, state().DBName);
}

bool Is_Database_Or_Template(const QString& path)
{
    return FilePaths::isDatabaseOrTemplate(path, Database_File(), templatePath());
}

QString Damaged_Message(const QString& file, const QString& detail)
{
    return QStringLiteral("数据库文件已损坏，不能使用：") + QDir::toNativeSeparators(file) +
           QLatin1Char('\r') + detail;
}

namespace {

// The box that refuses a damaged file.
void showDamaged(const QString& message, QWidget* parent = nullptr)
{
    Prompt::message(message, QStringLiteral("错误"), Prompt::Icon::Critical, parent);
}

} // namespace

bool Check_Whole_File(const QSqlDatabase& db, const QString& file, QWidget* parent)
{
    Db::Error damage;
    bool sound = false;
    {
        BusyCursor busy;
        sound = Db::checkIntegrity(db, &damage);
    }
    if (!sound) showDamaged(Damaged_Message(file, damage.description), parent);
    return sound;
}

QString Missing_Table_Text(const QString& table, const QString& column)
{
    if (column.isEmpty()) return QStringLiteral("缺少表【") + table + QStringLiteral("】");
    return QStringLiteral("的表【") + table + QStringLiteral("】缺少字段【") + column + QStringLiteral("】");
}

QString Missing_Table_Message(const QString& file, const QString& table, const QString& column)
{
    return QStringLiteral("数据库文件") + QDir::toNativeSeparators(file) + Missing_Table_Text(table, column) +
           QStringLiteral("，不是本系统的登记库，不能使用！");
}

QString Read_Only_Message(const QString& file, const QString& cause)
{
    return QStringLiteral("数据库文件不能写入，只能查看，不能保存：") + QDir::toNativeSeparators(file) +
           QLatin1Char('\r') + cause;
}

namespace {

// The checks a working database passes before it is used: its header, schema and
// tables can be read (the check of every page follows in the background once it is
// in use) and it has every table and field of the template `reference` (when there
// is one). A file that cannot be written is used for reading after the user is told;
// *writable says whether it can. False after one message naming the file.
bool checkWorkingDatabase(const QSqlDatabase& db, const QString& file, const Db::ScopedConnection* reference,
                          bool* writable)
{
    Db::Error error;
    if (!Db::checkStructure(db, &error)) {
        showDamaged(Damaged_Message(file, error.description));
        return false;
    }
    if (!Db::hasTable(db, QStringLiteral("查明"))) return false;
    if (reference && !reference->ok()) reference = nullptr;
    if (reference) {
        const Db::MissingColumn missing = Db::firstMissingColumn(db, reference->db());
        if (missing.isSet()) {
            Prompt::message(Missing_Table_Message(file, missing.table, missing.column),
                            QStringLiteral("错误"), Prompt::Icon::Critical);
            return false;
        }
    }
    *writable = Db::probeWrite(db, &error);
    if (!*writable) {
        const QString cause = Db::plainCause(error.number);
        Prompt::message(Read_Only_Message(file, cause.isEmpty() ? error.description : cause), kTitle,
                        Prompt::Icon::Exclamation);
    }
    return true;
}

// Gives the database open on `db` the indexes of the template it lacks. The lists
// work without them, only slower.
Status addTemplateIndexes(const QSqlDatabase& db)
{
    const Db::ScopedConnection reference(QStringLiteral("shape"), templatePath(), Db::OpenMode::ReadOnly);
    Db::Error error = reference.error();
    if (!reference.ok() || !Db::addMissingIndexes(db, reference.db(), &error)) return error;
    return Status::success();
}

// The writes that wait for the check of every page; those not made are told.
WaitingWrites& waiting()
{
    static WaitingWrites writes([](const QString& file, const QStringList& what, const QString& cause) {
        Prompt::message(Unwritten_Message(file, what, cause), kTitle, Prompt::Icon::Exclamation);
    });
    return writes;
}

// Pages of the working connection's cache, in KiB when negative: enough to hold the
// lists of a large database instead of reading them from the file again.
constexpr int kCacheKiB = 65536;

QString newConnectionName()
{
    static int generation = 0;
    return QStringLiteral("Cn") + QString::number(++generation);
}

// Opens the working database read-write on a new connection; its name, or empty
// after the error has been shown.
QString openWorkingFile()
{
    const QString name = newConnectionName();
    Db::Error error;
    if (!Db::open(name, Database_File(), Db::OpenMode::ReadWrite, &error)) {
        ErrorBox::show(error);
        return QString();
    }
    return name;
}

// The template, opened read-only into `reference` for the check of a working
// database's shape; none when the program folder has none.
void openShapeReference(std::optional<Db::ScopedConnection>& reference)
{
    if (QFileInfo::exists(templatePath()))
        reference.emplace(QStringLiteral("shape"), templatePath(), Db::OpenMode::ReadOnly);
}

// Makes the connection `name`, open on the working database, the shared one once the
// database has passed its checks against `reference`; closes it otherwise.
bool useAsWorking(const QString& name, const Db::ScopedConnection* reference)
{
    bool writable = false;
    if (!checkWorkingDatabase(Db::connection(name), Database_File(), reference, &writable)) {
        Db::close(name);
        return false;
    }
    Db::exec(Db::connection(name), QStringLiteral("PRAGMA cache_size=-%1").arg(kCacheKiB));
    // The new connection replaces the old one only now that it works.
    ProgramState& s = state();
    if (!s.CnName.isEmpty()) Db::close(s.CnName);
    s.CnName = name;
    if (writable && reference)
        When_Found_Sound(WriteKeys::TemplateIndexes, QStringLiteral("模板的索引"), addTemplateIndexes);
    return true;
}

} // namespace

namespace {

// Makes the working database the shared connection: on `opened` (a connection already
// open on it, or empty to open one) against the template `reference` (opened here when
// not given). False when it cannot be opened or fails its checks.
bool openAsWorking(QString opened, std::optional<Db::ScopedConnection>& reference)
{
    if (opened.isEmpty()) opened = openWorkingFile();
    if (opened.isEmpty()) return false;
    if (!reference) openShapeReference(reference);
    return useAsWorking(opened, reference ? &*reference : nullptr);
}

} // namespace

bool Open_Connection()
{
    std::optional<Db::ScopedConnection> reference;
    return openAsWorking(QString(), reference);
}

namespace {

// The check's verdict on the file of the connection `name`.
void takeVerdict(const QString& name, const QString& file, bool sound, const Db::Error& e)
{
    if (sound) return waiting().foundSound(name, file);
    // A file not found sound is never written on its own.
    const int code = e.number & 0xff;
    const bool damaged = code == 11 || code == 26;
    if (damaged && state().CnName == name) {
        // The refusal of the file says that nothing goes into it.
        const QString cause = Damaged_Message(file, e.description);
        waiting().foundNotSound(name, file, cause, true);
        Db::refuseWrites(name, Db::Error{11, QStringLiteral("SQLite"), cause});
        showDamaged(cause);
        return;
    }
    // Damage in a file no longer in use, or a check that could not decide (the file
    // locked beyond the wait, a failure to read it): the file may be damaged, so
    // nothing is written into it.
    const QString cause = damaged
                              ? Damaged_Message(file, e.description)
                              : QStringLiteral("未能检查文件的每一页，不能确定文件完好：") + e.description;
    waiting().foundNotSound(name, file, cause, false);
}

} // namespace

void Check_Working_Database()
{
    const QString name = state().CnName;
    if (name.isEmpty()) return;
    const QString file = Database_File();
    waiting().checkBegins(file);
    Db::checkIntegrityInBackground(
        file, [name, file](bool sound, const Db::Error& e) { takeVerdict(name, file, sound, e); });
}

void When_Found_Sound(const QString& key, const QString& what,
                      std::function<Status(const QSqlDatabase&)> write)
{
    static const bool ending = [] {
        if (QCoreApplication* app = QCoreApplication::instance())
            QObject::connect(app, &QCoreApplication::aboutToQuit, app, [] { waiting().finish(); });
        return true;
    }();
    Q_UNUSED(ending);
    waiting().add(Database_File(), key, what, std::move(write));
}

void Withdraw_Waiting_Write(const QString& key)
{
    waiting().withdraw(Database_File(), key);
}

void Forget_Waiting_Writes()
{
    waiting().forget();
}

QString Unwritten_Message(const QString& file, const QStringList& what, const QString& cause)
{
    return QStringLiteral("没有写入数据库文件") + QDir::toNativeSeparators(file) + QStringLiteral("：") +
           what.join(QStringLiteral("、")) + QLatin1Char('\r') + cause;
}

void Get_Province_Code()
{
    Db::Error error;
    auto q = Db::exec(state().Cn(), QStringLiteral("select 省代码 from 参数表"), {}, &error);
    if (!q) {
        Prompt::message(QStringLiteral("取系统参数出错！"), QStringLiteral("错误"), Prompt::Icon::Critical);
        return;
    }
    if (!q->next()) return;
    const QString text = q->value(0).isNull() ? QString() : q->value(0).toString();
    state().ProvinceCode = TextNumber::roundToInt32(TextNumber::leading(text));
}

VersionCheck Check_DB_Version(const Db::ScopedConnection& reference, QString* connectionName)
{
    connectionName->clear();
    Db::Error error;
    QString t;
    Judgement judgement = Judgement::Failed;
    if (templateVersion(reference, &t, &error)) {
        *connectionName = openWorkingFile();
        if (connectionName->isEmpty()) return VersionCheck::Failed;
        judgement = judgeOpen(Db::connection(*connectionName), t, &error);
    }
    if (judgement != Judgement::Accepted && judgement != Judgement::NotRegistration &&
        !connectionName->isEmpty()) {
        Db::close(*connectionName);
        connectionName->clear();
    }
    switch (judgement) {
    case Judgement::Accepted:
        return VersionCheck::Accepted;
    case Judgement::NotRegistration:
        return VersionCheck::NotRegistration;
    case Judgement::Failed:
        ErrorBox::show(error);
        return VersionCheck::Failed;
    case Judgement::Older:
        break;
    }
    Prompt::message(ParaLogic::kOlderDatabase, kTitle, Prompt::Icon::None);
    ProgramState& s = state();
    s.DBName.clear();
    s.DBPath.clear();
    s.TJName.clear();
    s.TJPath.clear();
    Write_Djk_Ini(KCUTIL::joinPath(s.ProgramDir, QStringLiteral("djk.ini")));
    Write_Tjk_Ini(KCUTIL::joinPath(s.ProgramDir, QStringLiteral("tjk.ini")));
    return VersionCheck::Older;
}

namespace {

// The answer of Check_Import_DB for `judgement`; a failure is shown.
int importVerdict(Judgement judgement, const Db::Error& error)
{
    switch (judgement) {
    case Judgement::Accepted:
        return 1;
    case Judgement::NotRegistration:
        return -2;
    case Judgement::Older:
        return -3;
    case Judgement::Failed:
        ErrorBox::show(error);
        return -1;
    }
    return -1;
}

} // namespace

int Check_Import_DB(const QString& path)
{
    Db::Error error;
    const Judgement judgement = judge(path, &error);
    return importVerdict(judgement, error);
}

int Check_Import_DB(const QSqlDatabase& db, const Db::ScopedConnection& reference)
{
    Db::Error error;
    QString t;
    const Judgement judgement =
        templateVersion(reference, &t, &error) ? judgeOpen(db, t, &error) : Judgement::Failed;
    return importVerdict(judgement, error);
}

SwitchResult Switch_Working_Database(const QString& path)
{
    ProgramState& s = state();
    const QString oldPath = s.DBPath;
    const QString oldName = s.DBName;
    s.DBName = KCUTIL::Get_File_Name(path);
    s.DBPath = KCUTIL::Get_File_Dir(path);
    const auto restore = [&](SwitchResult r) {
        s.DBPath = oldPath;
        s.DBName = oldName;
        return r;
    };
    // The template once for the version and the shape, the file once for its
    // judgement and its use.
    std::optional<Db::ScopedConnection> reference;
    reference.emplace(QStringLiteral("template"), templatePath(), Db::OpenMode::ReadOnly);
    const QString opened = openWorkingFile();
    if (opened.isEmpty()) return restore(SwitchResult::Refused);
    switch (Check_Import_DB(Db::connection(opened), *reference)) {
    case -3:
        Db::close(opened);
        return restore(SwitchResult::Older);
    case -1:
        Db::close(opened);
        return restore(SwitchResult::Refused);
    default:
        break;
    }
    if (!openAsWorking(opened, reference)) return restore(SwitchResult::NotOpened);
    return SwitchResult::InUse;
}

StartResult Main(const QString& programDir, const std::function<void()>& showMainWindow)
{
    ProgramState& s = state();
    s.ProgramDir = programDir;
    FileGate::setTemplate(templatePath());
    s.HelpFilePath = KCUTIL::joinPath(programDir, QStringLiteral("Tarnwick.chm"));
    s.Active_Form = 0;
    s.PrintScaleX = 1.2;
    s.PrintScaleY = 1.5;
    for (int i = 1; i <= 5; ++i)
        s.Form_Opened[i] = false;
    // Only whether there is a printer matters, and the print-to-PDF printer is always
    // there: asking the print system for the installed ones would only slow the start.
    s.PrinterCount = 1;
    s.Print_DJH_Flag = false;
    s.DBName = QStringLiteral("djk.mdb");
    s.DBPath = programDir;

    Read_Djk_Ini(KCUTIL::joinPath(programDir, QStringLiteral("djk.ini")));
    Read_Tjk_Ini(KCUTIL::joinPath(programDir, QStringLiteral("tjk.ini")));
    Read_View_Ini(KCUTIL::joinPath(programDir, QStringLiteral("view.ini")));

    // The template is opened once for the version check and the check of the shape;
    // the working database once for both and for its use.
    std::optional<Db::ScopedConnection> reference;
    QString opened;
    if (myvbs::FileExist(Database_File())) {
        // The default database in the program folder is never checked at start.
        if (!(s.DBName == QLatin1String("djk.mdb") && s.DBPath == programDir)) {
            reference.emplace(QStringLiteral("template"), templatePath(), Db::OpenMode::ReadOnly);
            switch (Check_DB_Version(*reference, &opened)) {
            case VersionCheck::Older:
                return StartResult::Ended;
            case VersionCheck::Failed:
                // Reported once already; the file is refused.
                Prompt::message(ParaLogic::kOpenError, kTitle, Prompt::Icon::Exclamation);
                return StartResult::Ended;
            case VersionCheck::Accepted:
            case VersionCheck::NotRegistration:
                break;
            }
        }
    } else {
        s.DBName = QStringLiteral("djk.mdb");
        s.DBPath = programDir;
        const QString target = Database_File();
        if (!QFileInfo::exists(target)) {
            const QString templ = templatePath();
            if (!myvbs::FileExist(templ)) {
                Prompt::message(QStringLiteral("找不到数据库模板文件") + QDir::toNativeSeparators(templ) +
                                    QStringLiteral("，无法建立数据库") + QDir::toNativeSeparators(target) +
                                    QStringLiteral("！"),
                                QStringLiteral("错误"), Prompt::Icon::Critical);
                return StartResult::Ended;
            }
            QString why;
            if (!FileCopy::copyFile(templ, target, false, &why)) {
                Prompt::message(QStringLiteral("无法建立数据库") + QDir::toNativeSeparators(target) +
                                    QStringLiteral("，请确认程序目录可以写入！\r") + why,
                                QStringLiteral("错误"), Prompt::Icon::Critical);
                return StartResult::Ended;
            }
        }
    }

    if (!openAsWorking(opened, reference)) {
        Prompt::message(ParaLogic::kOpenError, kTitle, Prompt::Icon::Exclamation);
        return StartResult::Ended;
    }
    reference.reset();
    Get_Province_Code();
    s.MapFill = true;
    s.MapShowPoints = false;
    s.MapShowLabels = false;
    s.MapShowAll = true;
    s.MapOnlyRight = false;
    s.MapOnlyReserve = false;
    if (showMainWindow) showMainWindow();
    Check_Working_Database();
    return StartResult::MainWindowShown;
}

} // namespace MAINBAS
