#pragma once

#include "tabxfer.h"

#include <QString>

// The arguments the two XML dialogs hand the conversion library, taken from the
// program-wide state: the main window, the shared connection and the program
// folder.
namespace XmlCallArguments {

tabxfer::ExportArguments forExport(const QString& xmlFile, const QString& number);
tabxfer::ImportArguments forImport(const QString& xmlFile);

} // namespace XmlCallArguments
