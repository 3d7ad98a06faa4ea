#pragma once

#include "CheckInfo.h"

#include <QString>

#include <functional>
#include <memory>

class DataCheckComponent;
class QWidget;

// The link to the outside data-check component: starting it in one of its two
// modes, and taking its answer, which makes the entry window show the registration
// the answer names.
namespace ModMCD {

inline const QString kSystemName = QStringLiteral("登记库压覆");
inline const QString kReadFailed = QStringLiteral("读取配置信息失败");

// Makes the component for each run; the default factory makes the component that
// reports that none is installed. nullptr restores the default.
using ComponentFactory = std::function<std::unique_ptr<DataCheckComponent>()>;
void setComponentFactory(ComponentFactory factory);

// Remembers the main window, which the component is handed and answers to
// (without it, the program's main window of the state).
void MCD_Hook(QWidget* mainWindow);

// Mode 1 checks the working database, mode 2 chooses the check items; other modes
// do nothing.
void Run_Check_Tool(int mode, const QString& systemName);

// The answer: reads checkinfodjk.xml from the program folder; when it names a
// registration of this system, Cur_DJH takes it (trimmed) and the entry window shows
// it. A file that cannot be read is reported and changes nothing.
void McdProc();

// Reads the answer file into Check_Info().
CheckInfoFile::Result Read_Check_Info();

// The fields of the last answer read.
CheckInfo& Check_Info();

// The texts handed to the component in checking mode.
QString Connection_Text(const QString& databaseFile);
QString Province_Prefix(int provinceCode);

// Drops the component, the main window and the answer fields (tests).
void reset();

} // namespace ModMCD
