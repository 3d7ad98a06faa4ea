#include "XmlCallArguments.h"

#include "shell/KCUTIL_Paths.h"
#include "shell/ProgramState.h"

namespace XmlCallArguments {

namespace {

const QString kDatabaseType = QStringLiteral("MDB");
const QString kSystemType = QStringLiteral("DJK");
const QString kTables = QStringLiteral("登记;压覆;报告;质量;资源储量;坐标");

template <class Args> void fillCommon(Args& a, const QString& xmlFile)
{
    const ProgramState& s = state();
    a.window = s.Xml_hWnd;
    a.connection = s.CnName;
    a.programDir = s.ProgramDir;
    a.databaseType = kDatabaseType;
    a.systemType = kSystemType;
    a.xmlFile = xmlFile;
    a.keyFile = KCUTIL::joinPath(s.ProgramDir, QStringLiteral("key.sys"));
    a.valueFile = KCUTIL::joinPath(s.ProgramDir, QStringLiteral("value.sys"));
    a.tables = kTables;
    a.status = QStringLiteral("1");
}

} // namespace

tabxfer::ExportArguments forExport(const QString& xmlFile, const QString& number)
{
    tabxfer::ExportArguments a;
    fillCommon(a, xmlFile);
    a.queryTemplate = QStringLiteral("select * from _0_ where 登记号= '_1_'");
    a.number = number;
    a.header = QStringLiteral("Tarnwick;压覆登记;;;;;;;;DJH;") + number + QStringLiteral(";");
    return a;
}

tabxfer::ImportArguments forImport(const QString& xmlFile)
{
    tabxfer::ImportArguments a;
    fillCommon(a, xmlFile);
    a.keyDescription = QStringLiteral("登记号;DJH;'");
    return a;
}

} // namespace XmlCallArguments
