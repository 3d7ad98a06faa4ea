#include "TestSeams.h"

#include "platform/FileDialog.h"
#include "platform/HelpViewer.h"
#include "platform/Prompt.h"
#include "shell/MAINBAS.h"
#include "shell/ModMCD.h"

#include <QApplication>
#include <QFont>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Test discovery runs the binaries during the build, where no display exists.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("Noto Sans CJK SC"), 10));
    Prompt::setTestMode(true);
    FileDialog::setTestMode(true);
    TestSeams::add([] {
        Prompt::clear();
        FileDialog::clear();
        HelpViewer::setOpener({});
        ModMCD::reset();
        MAINBAS::Forget_Waiting_Writes();
    });
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
