#include <QFont>
#include <QGuiApplication>

#include <gtest/gtest.h>

// The main of the tests of the widget-free libraries: a GUI application (fonts and
// painting on images) without widgets.
int main(int argc, char** argv)
{
    // Test discovery runs the binaries during the build, where no display exists.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QGuiApplication::setFont(QFont(QStringLiteral("Noto Sans CJK SC"), 10));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
