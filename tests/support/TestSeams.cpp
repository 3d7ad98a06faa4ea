#include "TestSeams.h"

#include "platform/Clock.h"
#include "platform/DatabaseCopy.h"
#include "platform/FileMark.h"
#include "platform/NewFile.h"
#include "shell/MainWindowServices.h"
#include "shell/ProgramState.h"

#include <QList>

namespace TestSeams {

namespace {
QList<std::function<void()>>& extraSeams()
{
    static QList<std::function<void()>> seams;
    return seams;
}
} // namespace

void reset()
{
    installState(nullptr);
    Clock::reset();
    NewFile::setDiskCalls(nullptr, nullptr);
    Db::setCopyPieces(0, nullptr);
    FileMark::setSystemCalls(nullptr, nullptr);
    installMainWindowServices(nullptr);
    for (const auto& resetSeam : extraSeams())
        resetSeam();
}

void add(std::function<void()> resetSeam)
{
    extraSeams() << std::move(resetSeam);
}

} // namespace TestSeams
