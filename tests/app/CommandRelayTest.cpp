#include "app/CommandRelay.h"

#include <QCoreApplication>
#include <QTimer>
#include "fixtures/QtTestApplication.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

class RecordingHandler : public CommandHandler
{
public:
    void HandleCommand(int code, const std::u16string& argument) override
    {
        onMainThread = std::this_thread::get_id() == mainThread;
        handled.emplace_back(code, argument);
    }

    std::thread::id mainThread = std::this_thread::get_id();
    bool onMainThread = false;
    std::vector<std::pair<int, std::u16string>> handled;
};

// The relay needs a Qt event loop on this (the main) thread.
class CommandRelayTest : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        EnsureQtApplication<QCoreApplication>();
    }

    // Runs the event loop until `done` or a few seconds have passed.
    void RunLoopUntil(const std::atomic<bool>& done)
    {
        for (int i = 0; i < 500 && !done; ++i) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
};

TEST_F(CommandRelayTest, RunsTheCommandOnTheMainThreadAndWaitsForIt)
{
    CommandRelay relay;
    RecordingHandler handler;
    relay.SetHandler(&handler);
    std::atomic<bool> returned{false};
    size_t handledWhenReturned = 0;
    std::thread delivery([&] {
        relay.ReceiveCommand(5, u"url=\u4E2D");
        handledWhenReturned = handler.handled.size();
        returned = true;
    });
    RunLoopUntil(returned);
    delivery.join();
    ASSERT_EQ(handler.handled.size(), 1u);
    EXPECT_EQ(handler.handled[0], std::make_pair(5, std::u16string(u"url=\u4E2D")));
    EXPECT_TRUE(handler.onMainThread);
    EXPECT_EQ(handledWhenReturned, 1u); // the delivery thread returned only after the handler ran
}

TEST_F(CommandRelayTest, WithoutMainWindowTheCommandIsDropped)
{
    CommandRelay relay;
    std::atomic<bool> returned{false};
    std::thread delivery([&] {
        relay.ReceiveCommand(6, u"");
        returned = true;
    });
    RunLoopUntil(returned);
    delivery.join();
    EXPECT_TRUE(returned);
}

TEST_F(CommandRelayTest, CloseReleasesADeliveryThatTheMainThreadWillNeverServe)
{
    RecordingHandler handler;
    std::atomic<bool> returned{false};
    {
        CommandRelay relay;
        relay.SetHandler(&handler);
        std::thread delivery([&] {
            relay.ReceiveCommand(6, u"");
            returned = true;
        });
        // The main thread runs no event loop here: it is shutting down.
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        EXPECT_FALSE(returned);
        relay.Close();
        delivery.join();
        relay.ReceiveCommand(7, u"after close"); // returns at once
    }
    // The relay is gone; the queued call must not run any more.
    QCoreApplication::processEvents();
    EXPECT_TRUE(returned);
    EXPECT_TRUE(handler.handled.empty());
}

} // namespace
