#pragma once

#include <QString>

// The names the whole program shares: toolbar keys, the windows the main window
// opens, and the status-bar texts. Nothing else writes these literals.
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

namespace StatusText {
// Status panel 1 while nothing runs.
inline const QString Idle = QStringLiteral("待命...");
} // namespace StatusText
