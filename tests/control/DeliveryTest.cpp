#include "ControlTestSupport.h"
#include "common/TextCodec.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

// Records when each command's handling starts and ends; each handling takes a little while.
class SlowReceiver : public CommandReceiver
{
public:
    void ReceiveCommand(int code, const std::u16string& argument) override
    {
        Record("begin " + std::to_string(code) + " " + TextCodec::Utf16ToUtf8(argument));
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        Record("end " + std::to_string(code));
    }

    std::vector<std::string> WaitFor(size_t count)
    {
        std::unique_lock<std::mutex> guard(m_mutex);
        m_changed.wait_for(guard, std::chrono::seconds(10), [&] { return m_events.size() >= count; });
        return m_events;
    }

private:
    void Record(const std::string& event)
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        m_events.push_back(event);
        m_changed.notify_all();
    }

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::string> m_events;
};

TEST(DeliveryTest, CommandsArriveInOrderOneAfterTheOther)
{
    KepHttp server;
    SlowReceiver receiver;
    server.SetCommandReceiver(&receiver);
    server.StartServer();
    std::string reply;
    server.DispatchRequest("/openurl", "url=first", reply);
    server.DispatchRequest("/loginout", "", reply);
    server.PostCommand(0, "code 0 is skipped");
    server.DispatchRequest("/SSOInfo", "a=%E4", reply);
    EXPECT_EQ(receiver.WaitFor(6), (std::vector<std::string>{"begin 5 url=first", "end 5", "begin 6 ", "end 6",
                                                             "begin 14 a=%E4", "end 14"}));
    server.Stop();
}

// Collects the arguments of delivered commands.
class CollectingReceiver : public CommandReceiver
{
public:
    void ReceiveCommand(int, const std::u16string& argument) override
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        m_arguments.push_back(TextCodec::Utf16ToUtf8(argument));
        m_changed.notify_all();
    }

    std::vector<std::string> WaitFor(size_t count, int milliseconds = 10000)
    {
        std::unique_lock<std::mutex> guard(m_mutex);
        m_changed.wait_for(guard, std::chrono::milliseconds(milliseconds), [&] { return m_arguments.size() >= count; });
        return m_arguments;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::string> m_arguments;
};

TEST(DeliveryTest, The1001stPendingCommandIsDropped)
{
    KepHttp server; // not started yet: nothing takes commands off the queue
    std::string reply;
    for (int i = 0; i < 1001; ++i) {
        reply = "OK";
        EXPECT_EQ(server.DispatchRequest("/openapp", "ip=h" + std::to_string(i), reply), 200);
        EXPECT_EQ(reply, "OK");
    }
    EXPECT_EQ(server.PendingCommands(), 1000u);

    CollectingReceiver receiver;
    server.SetCommandReceiver(&receiver);
    server.StartServer();
    auto delivered = receiver.WaitFor(1001, 3000);
    ASSERT_EQ(delivered.size(), 1000u);
    EXPECT_EQ(delivered.front(), "ip=h0");
    EXPECT_EQ(delivered.back(), "ip=h999");
    server.Stop();
}

TEST(DeliveryTest, WithoutReceiverCommandsAreDropped)
{
    KepHttp server;
    server.StartServer();
    std::string reply;
    server.DispatchRequest("/loginout", "", reply);
    server.Stop(); // returns although nobody took the command
    SUCCEED();
}

} // namespace
