#include "ParaLogic.h"

#include "KCUTIL_Paths.h"
#include "KCUTIL_Province.h"
#include "MAINBAS.h"
#include "ProgramState.h"
#include "ShellNames.h"
#include "platform/Database.h"
#include "platform/ErrorBox.h"
#include "platform/FileCopy.h"
#include "platform/Prompt.h"
#include "platform/TextNumber.h"

#include <QDir>
#include <QFileInfo>

namespace ParaLogic {

namespace {

const QString kTitle = QStringLiteral("提示");

void inform(const QString& text)
{
    Prompt::message(text, kTitle, Prompt::Icon::Information);
}

} // namespace

QString createFailedText(const QString& path)
{
    return QStringLiteral("无法建立数据库") + QDir::toNativeSeparators(path) +
           QStringLiteral("，请确认该文件夹可以写入！");
}

double provinceValue(const QString& text)
{
    return TextNumber::leading(text);
}

QString Get_Province_Name(const QSqlDatabase& db, int code)
{
    const QVariant v = Db::scalar(db, QStringLiteral("select MC from cb08 where DM=?"), {code});
    return v.isNull() ? QString() : v.toString();
}

QStringList Fill_Province_List(const QSqlDatabase& db)
{
    QStringList entries;
    auto q = Db::exec(db, QStringLiteral("select DM, MC from cb08 where substr(DM,-4)='0000' order by DM"));
    if (!q) return entries;
    while (q->next())
        entries << q->value(0).toString() + QStringLiteral("   ") +
                       (q->value(1).isNull() ? QString() : q->value(1).toString());
    if (!Db::finished(*q)) return {};
    return entries;
}

bool Check_Province_Code(const QSqlDatabase& db, const QString& text)
{
    const QVariant v =
        Db::scalar(db, QStringLiteral("select count(*) from cb08 where DM=?"), {provinceValue(text)});
    return v.toInt() > 0;
}

std::optional<int> Save_Province_Code(const QString& text)
{
    const int code = TextNumber::roundToInt32(provinceValue(text));
    if (const Status stored = KCUTIL::Store_Province_Code(state().Cn(), code); !stored) {
        ErrorBox::show(stored.error());
        return std::nullopt;
    }
    state().ProvinceCode = code;
    MAINBAS::Withdraw_Waiting_Write(WriteKeys::ProvinceCode);
    return code;
}

int Is_Djk_DB(const QString& path)
{
    Db::ScopedConnection c(QStringLiteral("Check_Conn"), path, Db::OpenMode::ReadOnly);
    if (!c.ok()) return -1;
    return Db::hasTable(c.db(), QStringLiteral("查明")) ? 1 : 0;
}

std::optional<QString> Read_Chosen_Province(const QString& path)
{
    Db::ScopedConnection c(QStringLiteral("Check_Conn"), path, Db::OpenMode::ReadOnly);
    if (!c.ok()) return std::nullopt;
    auto q = Db::exec(c.db(), QStringLiteral("select 省代码 from 参数表"));
    if (!q || !q->next()) return std::nullopt;
    const QString text = q->value(0).isNull() ? QString() : q->value(0).toString();
    return QString::number(TextNumber::roundToInt32(TextNumber::leading(text)));
}

int Is_Tjk_DB(const QString& path)
{
    Db::ScopedConnection c(QStringLiteral("Tjk_Conn"), path, Db::OpenMode::ReadOnly);
    if (!c.ok()) return -1;
    const QStringList tables = Db::tableNames(c.db());
    return tables.contains(QStringLiteral("KCL_KS")) || tables.contains(QStringLiteral("矿山")) ? 1 : 0;
}

bool Is_Statistics_Version_Enough(const QString& bbh)
{
    const QString v = bbh.trimmed();
    return !v.isEmpty() && QString::compare(v, kLowestStatisticsVersion, Qt::CaseSensitive) >= 0;
}

bool Check_Tjk_Version(const QString& path)
{
    Db::ScopedConnection c(QStringLiteral("Tjk_Conn"), path, Db::OpenMode::ReadOnly);
    if (!c.ok()) return false;
    auto q = Db::exec(c.db(), QStringLiteral("select BBH from KCL_SJKCS"));
    if (!q || !q->next()) return false;
    return Is_Statistics_Version_Enough(q->value(0).isNull() ? QString() : q->value(0).toString());
}

QString configuredStatistics()
{
    const ProgramState& s = state();
    if (s.TJPath.trimmed().isEmpty() || s.TJName.trimmed().isEmpty()) return QString();
    return KCUTIL::joinPath(s.TJPath, s.TJName);
}

RegistrationChoice chooseRegistration(const QString& chosen, const QString& current,
                                      const QString& programDir)
{
    RegistrationChoice r;
    if (chosen.isEmpty()) return r;
    if (!QFileInfo::exists(chosen)) {
        if (Prompt::ask(kCreateQuestion, kTitle, Prompt::Buttons::YesNo, Prompt::Icon::None) !=
            Prompt::Answer::Yes)
            return r;
        if (!FileCopy::copyFile(KCUTIL::joinPath(programDir, QStringLiteral("djk.sys")), chosen)) {
            Prompt::message(createFailedText(chosen), QStringLiteral("错误"), Prompt::Icon::Critical);
            return r;
        }
    }
    if (chosen != current) {
        switch (Is_Djk_DB(chosen)) {
        case 0:
            inform(kNotRegistration);
            r.focusProvince = true;
            return r;
        case -1:
            inform(kCannotOpen);
            return r;
        default:
            break;
        }
        r.provinceText = Read_Chosen_Province(chosen);
        r.showDefault = true;
    } else {
        r.showDefault = false;
    }
    r.changed = true;
    r.path = chosen;
    return r;
}

StatisticsChoice chooseStatistics(const QString& chosen, const QString& configured)
{
    StatisticsChoice r;
    if (chosen.isEmpty()) return r;
    r.changed = true;
    if (!QFileInfo::exists(chosen)) {
        inform(kStatMissing);
        return r;
    }
    if (chosen == configured) {
        r.path = chosen;
        return r;
    }
    switch (Is_Tjk_DB(chosen)) {
    case 0:
        inform(kNotStatistics);
        r.focus = true;
        return r;
    case -1:
        inform(kCannotOpen);
        r.focus = true;
        return r;
    default:
        break;
    }
    if (!Check_Tjk_Version(chosen)) {
        inform(kStatTooOld);
        r.focus = true;
        return r;
    }
    r.path = chosen;
    return r;
}

namespace {

// Makes `path` the working database. The new file is judged and opened before
// anything changes: a refused or failing file leaves the connection, DBPath and
// DBName as they were.
bool switchDatabase(const QString& path)
{
    switch (MAINBAS::Switch_Working_Database(path)) {
    case MAINBAS::SwitchResult::Older:
        Prompt::message(kOlderDatabase, kTitle, Prompt::Icon::None);
        return false;
    case MAINBAS::SwitchResult::Refused:
        // The check could not be made (reported already): the file is refused.
        return false;
    case MAINBAS::SwitchResult::NotOpened:
        Prompt::message(kOpenError, kTitle, Prompt::Icon::Exclamation);
        return false;
    case MAINBAS::SwitchResult::InUse:
        break;
    }
    MAINBAS::Check_Working_Database();
    return true;
}

} // namespace

AcceptResult accept(const AcceptInput& input, bool entryOpen, const std::function<void()>& reloadEntryList)
{
    ProgramState& s = state();
    AcceptResult r;
    const QString djkIni = KCUTIL::joinPath(s.ProgramDir, QStringLiteral("djk.ini"));
    const QString tjkIni = KCUTIL::joinPath(s.ProgramDir, QStringLiteral("tjk.ini"));

    if (!Check_Province_Code(s.Cn(), input.provinceText)) {
        Prompt::message(kBadProvince, kTitle, Prompt::Icon::Exclamation);
        r.focusProvince = true;
        return r;
    }

    const bool makeDefault = input.defaultShown && input.defaultTicked;
    if (input.databasePath != MAINBAS::Database_File()) {
        if (Prompt::ask(kSwitchDatabase, kImportantTitle, Prompt::Buttons::OkCancel,
                        Prompt::Icon::Question) != Prompt::Answer::Ok)
            return r;
        if (!switchDatabase(input.databasePath)) return r;
        // The switch has happened. The province code is the new database's from now
        // on; it is written into the file once the check of its every page has found
        // it sound (a damaged file is never written), and a failure to store it, or a
        // check that ends without that verdict, is told then.
        const int code = TextNumber::roundToInt32(provinceValue(input.provinceText));
        s.ProvinceCode = code;
        MAINBAS::When_Found_Sound(
            WriteKeys::ProvinceCode, QStringLiteral("省代码") + QString::number(code),
            [code](const QSqlDatabase& db) { return KCUTIL::Store_Province_Code(db, code); });
        if (makeDefault) {
            MAINBAS::Write_Djk_Ini(djkIni);
            s.Switched_DB_Path.clear();
        } else {
            s.Switched_DB_Path = input.databasePath;
        }
        if (entryOpen && reloadEntryList) reloadEntryList();
        r.clearStatistics = true;
        s.TJPath.clear();
        s.TJName.clear();
        MAINBAS::Write_Tjk_Ini(tjkIni);
    } else {
        if (makeDefault) {
            MAINBAS::Write_Djk_Ini(djkIni);
            s.Switched_DB_Path.clear();
        }
        if (!Save_Province_Code(input.provinceText)) return r;
    }

    const QString statistics = r.clearStatistics ? QString() : input.statisticsPath;
    if (statistics != configuredStatistics()) {
        if (Prompt::ask(kSwitchStatistics, kImportantTitle, Prompt::Buttons::OkCancel,
                        Prompt::Icon::Question) != Prompt::Answer::Ok)
            return r;
        s.TJName = KCUTIL::Get_File_Name(statistics);
        s.TJPath = KCUTIL::Get_File_Dir(statistics);
        MAINBAS::Write_Tjk_Ini(tjkIni);
    }
    r.close = true;
    return r;
}

} // namespace ParaLogic
