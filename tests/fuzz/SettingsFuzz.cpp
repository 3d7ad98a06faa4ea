// The settings files djk.ini and view.ini. What is read is written back and read
// again unchanged.
#include "FuzzSupport.h"

#include "shell/MAINBAS.h"
#include "shell/ProgramState.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSupport::init();
    ProgramState& s = state();
    s.DBPath = QStringLiteral("/default");
    s.DBName = QStringLiteral("djk.mdb");
    MAINBAS::Read_Djk_Ini(FuzzSupport::fileOf("djk.ini", data, size));
    MAINBAS::Read_View_Ini(FuzzSupport::fileOf("view.ini", data, size));
    const QString path = s.DBPath;
    const QString name = s.DBName;
    const QString written = FuzzSupport::fileOf("written.ini", data, 0);
    FuzzSupport::require(MAINBAS::Write_Djk_Ini(written), "the settings are written");
    s.DBPath.clear();
    s.DBName.clear();
    MAINBAS::Read_Djk_Ini(written);
    FuzzSupport::require(s.DBPath == path && s.DBName == name, "written settings read back unchanged");
    return 0;
}
