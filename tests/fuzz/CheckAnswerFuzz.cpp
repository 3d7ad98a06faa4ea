// The answer file of the data-check component.
#include "FuzzSupport.h"

#include "shell/CheckInfo.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSupport::init();
    CheckInfo info;
    info.djh = QStringLiteral("before");
    const CheckInfoFile::Result r =
        CheckInfoFile::read(FuzzSupport::fileOf("checkinfodjk.xml", data, size), &info);
    if (r != CheckInfoFile::Result::Read)
        FuzzSupport::require(info.djh == QStringLiteral("before"), "a failed read changes nothing");
    return 0;
}
