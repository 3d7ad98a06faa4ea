#include "platform/HelpKeyFilter.h"
#include "platform/HelpViewer.h"
#include "platform/Prompt.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class HelpViewerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Prompt::clear();
        HelpViewer::setOpener([this](const QUrl& url) {
            opened << url;
            return viewerWorks;
        });
        helpFile = dir.filePath(QStringLiteral("Tarnwick.chm"));
        QFile f(helpFile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("help");
    }
    void TearDown() override
    {
        HelpViewer::setOpener({});
        Prompt::clear();
    }
    static void press(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QKeyEvent e(QEvent::KeyPress, key, mods);
        QApplication::sendEvent(w, &e);
    }

    QTemporaryDir dir;
    QString helpFile;
    QList<QUrl> opened;
    bool viewerWorks = true;
};

TEST_F(HelpViewerTest, OpensAnExistingFileWithTheDesktopViewer)
{
    EXPECT_TRUE(HelpViewer::open(helpFile));
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened.first(), QUrl::fromLocalFile(helpFile));
    EXPECT_TRUE(Prompt::shown().isEmpty());
}

TEST_F(HelpViewerTest, AMissingFileOrNoViewerIsReportedByName)
{
    const QString missing = dir.filePath(QStringLiteral("gone.chm"));
    EXPECT_FALSE(HelpViewer::open(missing));
    EXPECT_TRUE(opened.isEmpty());
    ASSERT_EQ(Prompt::shown().size(), 1);
    EXPECT_EQ(Prompt::shown().first().text, QStringLiteral("找不到帮助文件：") + QDir::toNativeSeparators(missing));
    EXPECT_EQ(Prompt::shown().first().title, QStringLiteral("提示"));

    Prompt::clear();
    viewerWorks = false;
    EXPECT_FALSE(HelpViewer::open(helpFile));
    ASSERT_EQ(Prompt::shown().size(), 1);
    EXPECT_EQ(Prompt::shown().first().text, QStringLiteral("无法打开帮助文件：") + QDir::toNativeSeparators(helpFile));
}

TEST_F(HelpViewerTest, F1InAnyWidgetOpensTheHelpFileOnce)
{
    HelpKeyFilter filter([this] { return helpFile; });
    qApp->installEventFilter(&filter);
    QWidget window;
    auto* box = new QLineEdit(&window);
    press(box, Qt::Key_F1);
    EXPECT_EQ(opened.size(), 1);
    // Other keys and F1 with a modifier go on to the widget.
    press(box, Qt::Key_A);
    press(box, Qt::Key_F1, Qt::ShiftModifier);
    EXPECT_EQ(opened.size(), 1);
    qApp->removeEventFilter(&filter);
}

} // namespace
