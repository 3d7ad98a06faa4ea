#pragma once

#include "RegistrationRows.h"

#include "platform/Result.h"

#include <QString>

class QWidget;

// The conversion library between the registration database and XML exchange
// files. Its two routines take the arguments the dialogs hand them, in the
// dialogs' order, and leave "1" in `status` exactly when they succeeded (any
// other status is a failure); they also return the failure with its Chinese
// description. FORMAT.md beside this file describes the file and what each
// argument means to the library.
namespace tabxfer {

struct ExportArguments
{
    QWidget* window = nullptr; // the main window; the library shows nothing
    QString connection;        // name of the open connection to the registration database
    QString programDir;        // the program folder
    QString databaseType;      // "MDB"
    QString systemType;        // "DJK"
    QString xmlFile;           // the file to write
    QString keyFile;           // program folder + key.sys
    QString valueFile;         // program folder + value.sys
    QString tables;            // "登记;压覆;报告;质量;资源储量;坐标"
    QString queryTemplate;     // "select * from _0_ where 登记号= '_1_'"
    QString number;            // the registration number
    QString header;            // "Tarnwick;压覆登记;;;;;;;;DJH;" + number + ";"
    QString status = QStringLiteral("1");
};

struct ImportArguments
{
    QWidget* window = nullptr;
    QString connection;
    QString programDir;
    QString databaseType; // "MDB"
    QString systemType;   // "DJK"
    QString xmlFile;      // the file to read
    QString keyFile;
    QString valueFile;
    QString tables;         // "登记;压覆;报告;质量;资源储量;坐标"
    QString keyDescription; // "登记号;DJH;'"
    QString status = QStringLiteral("1");
};

// Writes the registration's rows of the listed tables into the XML file, through
// a temporary file in the file's folder that replaces the file only when complete.
Status exporttoxml(ExportArguments& args);

// Reads the whole XML file, checks it and the database, then appends all its
// registrations in one transaction; on any failure nothing is written.
Status xmlimport(ImportArguments& args, const Progress& progress = {});

// The key column that a query template "select * from _0_ where <column>= '_1_'"
// selects on; a failure for any other template.
Result<QString> templateKeyColumn(const QString& queryTemplate);

} // namespace tabxfer
