#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The rules of the parameter dialog (FrmPara), apart from its widgets: the checks
// of a chosen registration or statistics database, the province code in 参数表,
// and the accepting of the dialog's three parameters. Messages go through Prompt
// with the texts below.
namespace ParaLogic {

// Messages, all titled "提示" unless noted.
inline const QString kCreateQuestion = QStringLiteral("文件不存在,是否创建新数据库？");
inline const QString kNotRegistration = QStringLiteral("指定的数据库文件非固体查明数据库,请重新选择！");
inline const QString kCannotOpen =
    QStringLiteral("指定的数据库文件打开出现错误,请检查是否允许打开该数据库！");
inline const QString kStatMissing = QStringLiteral("文件不存在,请重新选择！");
inline const QString kNotStatistics = QStringLiteral("指定的数据库文件非储量统计数据库,请重新选择！");
inline const QString kStatTooOld = QStringLiteral("指定的储量统计数据库版本太低，请先升级，再重新选择！");
inline const QString kBadProvince = QStringLiteral("省代码填写错误！请重新填写！");
inline const QString kSwitchDatabase = QStringLiteral("确定要修改系统连接的数据库吗？");     // "重要提示"
inline const QString kSwitchStatistics = QStringLiteral("确定要修改统计库连接的数据库吗？"); // "重要提示"
inline const QString kOpenError =
    QStringLiteral("数据库打开错误！请确认连接的数据库是否为登记库或是否已打开！");
inline const QString kOlderDatabase = QStringLiteral(
    "当前连接的数据库词表比最新发布的旧！请先使用数据库升级转换模块来升级数据库！再启动此系统");
inline const QString kImportantTitle = QStringLiteral("重要提示");
// "无法建立数据库" + path + "，请确认该文件夹可以写入！", titled "错误".
QString createFailedText(const QString& path);

// The lowest version of a statistics database that the program can read.
inline const QString kLowestStatisticsVersion = QStringLiteral("1.44");

// The numeric value of the province box: its leading number, so "110000" and
// "110000   北京市" both give 110000.
double provinceValue(const QString& text);

// Name (MC) of region `code` in cb08; empty when there is none.
QString Get_Province_Name(const QSqlDatabase& db, int code);
// One entry per province row of cb08 (DM ends in 0000), in DM order: DM, three
// blanks, MC.
QStringList Fill_Province_List(const QSqlDatabase& db);
// True when cb08 holds the numeric value of `text`.
bool Check_Province_Code(const QSqlDatabase& db, const QString& text);
// Writes the numeric value of `text` into 参数表.省代码 of the working database (adding
// the row when the table is empty), makes it the province code in use, and returns it
// as a whole number; nullopt after a reported failure.
std::optional<int> Save_Province_Code(const QString& text);

// 1 the file holds the table 查明, 0 it does not, -1 it cannot be opened.
int Is_Djk_DB(const QString& path);
// The chosen database's 参数表.省代码 as the province box shows it (an empty code
// gives "0"); nullopt when there is no row or it cannot be read.
std::optional<QString> Read_Chosen_Province(const QString& path);
// 1 the file holds KCL_KS or 矿山, 0 neither, -1 it cannot be opened.
int Is_Tjk_DB(const QString& path);
// True when KCL_SJKCS.BBH of the file, trimmed, is high enough.
bool Check_Tjk_Version(const QString& path);
// The version rule: not empty and, compared as text character by character, not
// below "1.44" (so "1.5" passes, "1.43" and "1.100" do not).
bool Is_Statistics_Version_Enough(const QString& bbh);

// The statistics database configured now: TJPath/TJName when both are set, else "".
QString configuredStatistics();

// Browsing for the registration database: what the dialog shows afterwards.
struct RegistrationChoice
{
    bool changed = false; // Text2 takes `path`
    QString path;
    std::optional<QString> provinceText; // Text1 takes this
    std::optional<bool> showDefault;     // Check1 is unticked and shown (true) or hidden (false)
    bool focusProvince = false;          // the focus goes to Text1
};
// `chosen` is the file the user picked (empty: cancelled); `current` the database
// in use. A missing file is made from djk.sys in `programDir` after the question.
RegistrationChoice chooseRegistration(const QString& chosen, const QString& current,
                                      const QString& programDir);

// Browsing for the statistics database: the new text of txtTJK, or nothing when the
// dialog was cancelled.
struct StatisticsChoice
{
    bool changed = false; // txtTJK takes `path`
    QString path;
    bool focus = false; // txtTJK gets the focus
};
StatisticsChoice chooseStatistics(const QString& chosen, const QString& configured);

// Accepting the dialog.
struct AcceptInput
{
    QString provinceText;      // Text1
    QString databasePath;      // Text2
    bool defaultShown = false; // Check1 visible
    bool defaultTicked = false;
    QString statisticsPath; // txtTJK
};
struct AcceptResult
{
    bool close = false;           // unload the dialog
    bool focusProvince = false;   // first page, focus in Text1
    bool clearStatistics = false; // txtTJK := "" (the database was switched)
};
// Works on the program state: switches the shared connection when the database
// changed, writes djk.ini and tjk.ini in the program folder, saves the province code
// (into a database switched to once the check of its every page has found it sound).
// `entryOpen` tells whether the entry window is open; `reloadEntryList` reloads its
// list after a switch.
AcceptResult accept(const AcceptInput& input, bool entryOpen, const std::function<void()>& reloadEntryList);

} // namespace ParaLogic
