#pragma once

#include <QString>

// The names the whole program shares: toolbar keys, the windows the main window
// opens, the items of the registration menu, the keys of the writes that wait for
// the check of a database, the status-bar texts and the key codes of the keyboard
// convention. Nothing else writes these literals.
namespace Keys {
inline const QString New = QStringLiteral("NEW");
inline const QString Save = QStringLiteral("SAVE");
inline const QString Del = QStringLiteral("DEL");
inline const QString Print = QStringLiteral("PRINT");
inline const QString Insert = QStringLiteral("INSERT");
inline const QString Export = QStringLiteral("EXPORT");
inline const QString Import = QStringLiteral("IMPORT");
inline const QString Check = QStringLiteral("CHECK");
inline const QString Code = QStringLiteral("CODE");
inline const QString Para = QStringLiteral("PARA");
inline const QString Sys = QStringLiteral("SYS");
inline const QString Pro = QStringLiteral("PRO");
inline const QString Exit = QStringLiteral("EXIT");
inline const QString Help = QStringLiteral("HELP");
} // namespace Keys

namespace WindowNames {
inline const QString NewTab = QStringLiteral("NewTab");
inline const QString FrmPrintSelect = QStringLiteral("FrmPrintSelect");
inline const QString FrmPrintMany = QStringLiteral("FrmPrintMany");
inline const QString DataExport = QStringLiteral("DataExport");
inline const QString DataExportXzq = QStringLiteral("DataExportXzq");
inline const QString DataXmlExport = QStringLiteral("DataXmlExport");
inline const QString DataImport = QStringLiteral("DataImport");
inline const QString DataImportXzq = QStringLiteral("DataImportXzq");
inline const QString DataImportAll = QStringLiteral("DataImportAll");
inline const QString XmlImport = QStringLiteral("xmlimport");
inline const QString DataCheck = QStringLiteral("DataCheck");
inline const QString FrmCheckData = QStringLiteral("FrmCheckData");
inline const QString FrmCode = QStringLiteral("FrmCode");
inline const QString FrmPara = QStringLiteral("FrmPara");
inline const QString FrmSysView = QStringLiteral("FrmSysView");
inline const QString DBDelete = QStringLiteral("DBDelete");
inline const QString DataDelete = QStringLiteral("DataDelete");
inline const QString FrmClearLX_PJ = QStringLiteral("FrmClearLX_PJ");
inline const QString DataModification = QStringLiteral("DataModification");
inline const QString About = QStringLiteral("About");
inline const QString FrmReference = QStringLiteral("Frm引用");
} // namespace WindowNames

// Items of the registration menu MENU_DJ by index (the separators count).
namespace DjMenu {
inline constexpr int Register = 0;  // "固体压覆资源储量登记(&R)"
inline constexpr int Save = 2;      // "保存(&S)"
inline constexpr int Delete = 3;    // "删除(&D)"
inline constexpr int Print = 5;     // "打印(&P)"
inline constexpr int PrintMany = 6; // "批量打印"
} // namespace DjMenu

// What a write that waits for the check of every page of the working database
// writes, whatever its value (MAINBAS::When_Found_Sound): a newer write of the same
// key into the same file takes the place of one still waiting.
namespace WriteKeys {
inline const QString ProvinceCode = QStringLiteral("ProvinceCode");
inline const QString TemplateIndexes = QStringLiteral("TemplateIndexes");
} // namespace WriteKeys

namespace StatusText {
// Status panel 1 while nothing runs.
inline const QString Idle = QStringLiteral("待命...");
// Status panel 1 while the backup before an import is made.
inline const QString BackingUp = QStringLiteral("正在备份数据库，请稍候……");
} // namespace StatusText

// Key codes and modifier bits of the keyboard convention the entry window has always
// used (the codes of the keys, not of the characters they type).
namespace KeyCode {
inline constexpr int Tab = 9;
inline constexpr int Enter = 13;
inline constexpr int Esc = 27;
inline constexpr int Up = 38;
inline constexpr int Down = 40;
inline constexpr int Insert = 45;
inline constexpr int Delete = 46;
inline constexpr int A = 65;
inline constexpr int C = 67;
inline constexpr int N = 78;
inline constexpr int V = 86;
inline constexpr int Y = 89;
inline constexpr int ShiftMask = 1;
inline constexpr int CtrlMask = 2;
inline constexpr int AltMask = 4;
} // namespace KeyCode
