#include "fixtures/FixtureServer.h"
#include "transfer/TransferSlots.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Records posted commands and lets a test wait for them.
class RecordingPoster : public CommandPoster
{
public:
    void PostCommand(int code, const std::string& argument) override
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        m_commands.emplace_back(code, argument);
        m_posted.notify_all();
    }

    std::vector<std::pair<int, std::string>> WaitFor(size_t count,
                                                     std::chrono::milliseconds limit = std::chrono::seconds(20))
    {
        std::unique_lock<std::mutex> guard(m_mutex);
        m_posted.wait_for(guard, limit, [&] { return m_commands.size() >= count; });
        return m_commands;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_posted;
    std::vector<std::pair<int, std::string>> m_commands;
};

class TransferSlotsTest : public testing::Test
{
protected:
    TransferSlotsTest()
        : m_data((fs::temp_directory_path() / ("orv-slots-" + std::to_string(getpid())) / "Data").string()),
          m_slots(m_poster, [this] { return m_data; })
    {
    }
    ~TransferSlotsTest() override
    {
        m_slots.Stop();
        fs::remove_all(fs::path(m_data).parent_path());
    }

    // Polls until the print slot is free again; false when it stays busy.
    bool WaitUntilPrintIdle()
    {
        for (int i = 0; i < 400 && m_slots.IsPrintBusy(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return !m_slots.IsPrintBusy();
    }

    FixtureServer m_server;
    RecordingPoster m_poster;
    std::string m_data;
    TransferSlots m_slots;
};

TEST_F(TransferSlotsTest, APrintFetchPostsCommand7WithTheLocalPath)
{
    m_slots.QueuePrintFile(m_server.Url("/files/report.pdf?id=7"));
    auto commands = m_poster.WaitFor(1);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0], std::make_pair(7, "path=" + m_data + "/report.pdf"));
    EXPECT_TRUE(WaitUntilPrintIdle());
}

TEST_F(TransferSlotsTest, ABusySlotDropsTheNextRequestAndReportsBusy)
{
    m_slots.QueuePrintFile(m_server.Url("/slow/2/first.pdf"));
    m_slots.QueuePrintFile(m_server.Url("/files/second.pdf"));
    EXPECT_TRUE(m_slots.IsPrintBusy());
    // Execute and update share the other slot.
    m_slots.QueueDownload(m_server.Url("/slow/2/setup.sh"), 8);
    m_slots.QueueDownload(m_server.Url("/files/update.sh"), 9);
    auto commands = m_poster.WaitFor(2);
    EXPECT_TRUE(WaitUntilPrintIdle());
    std::sort(commands.begin(), commands.end());
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0], std::make_pair(7, "path=" + m_data + "/first.pdf"));
    EXPECT_EQ(commands[1], std::make_pair(8, "path=" + m_data + "/setup.sh"));
    // The slot is free again for the next request (once the worker that posted has cleared it).
    for (int i = 0; i < 100 && m_poster.WaitFor(0).size() < 3; ++i) {
        m_slots.QueueDownload(m_server.Url("/files/update.sh"), 9);
        m_poster.WaitFor(3, std::chrono::milliseconds(100));
    }
    EXPECT_EQ(m_poster.WaitFor(3).back(), std::make_pair(9, "path=" + m_data + "/update.sh"));
}

TEST_F(TransferSlotsTest, AFailedFetchPostsNothingAndFreesTheSlot)
{
    m_slots.QueuePrintFile(m_server.Url("/status/404/missing.pdf"));
    EXPECT_TRUE(WaitUntilPrintIdle());
    m_slots.QueuePrintFile(m_server.Url("/files/ok.pdf"));
    auto commands = m_poster.WaitFor(1);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].second, "path=" + m_data + "/ok.pdf");
    EXPECT_TRUE(fs::exists(m_data + "/missing.pdf")); // what a failed fetch wrote stays
}

TEST_F(TransferSlotsTest, StopEndsARunningFetchWithoutACommand)
{
    m_slots.QueuePrintFile(m_server.Url("/slow/30/long.pdf"));
    m_slots.Stop();
    EXPECT_FALSE(m_slots.IsPrintBusy());
    m_slots.QueuePrintFile(m_server.Url("/files/after.pdf"));
    EXPECT_FALSE(m_slots.IsPrintBusy());
    EXPECT_TRUE(m_poster.WaitFor(0).empty());
}

} // namespace
