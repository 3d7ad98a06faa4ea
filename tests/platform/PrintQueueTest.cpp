#include "platform/PrintQueue.h"

#include <QScopeGuard>
#include <QTemporaryDir>

#include <functional>

#include <cups/cups.h>

#include <gtest/gtest.h>

namespace {

// No server answers: every request of the printer library fails, and our own
// question before a hand-over leaves its failure behind.
TEST(PrintQueue, AHandOverIsRefusedOnlyByTheFailureOfItsOwnJob)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    cupsSetServer(qPrintable(dir.filePath(QStringLiteral("no-server.sock"))));
    const auto defaultServer = qScopeGuard([] { cupsSetServer(nullptr); });
    const QString queue = QStringLiteral("orvane-nowhere");
    const struct
    {
        const char* what;
        std::function<void()> end;
        bool refused;
    } cases[] = {
        {"a hand-over that sends nothing", [] {}, false},
        {"a job that meets no server",
         [&] { cupsPrintFile(qPrintable(queue), "/dev/null", "orvane", 0, nullptr); }, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_TRUE(PrintQueue::refusal(queue).isEmpty()) << "a server away gives no refusal";
        const QString said = PrintQueue::handOver(queue, c.end);
        EXPECT_EQ(!said.isEmpty(), c.refused) << said.toStdString();
    }
}

// A stopped queue is said paused, whether the server said so or gave no words.
TEST(PrintQueue, AStoppedQueueIsSaidPaused)
{
    EXPECT_EQ(PrintQueue::refusalWords(false, QStringLiteral("Paused")), QStringLiteral("已暂停"));
    EXPECT_EQ(PrintQueue::refusalWords(false, QString()), QStringLiteral("已暂停"));
}

} // namespace
