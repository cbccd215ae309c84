#include "OrvExtern.h"
#include "fixtures/StandInLog.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <set>
#include <signal.h>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The host's side of the library, with the protected operations opened up for the tests.
class Host : public OrvExtern
{
public:
    void OnVpnResult(int) override {}
    using OrvExtern::ExecutCmd;
    using OrvExtern::GetCurPath;
    using OrvExtern::TopRaiser;
};

using Start = StandInLog::Start;

class OrvExternTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_log = fs::temp_directory_path() / ("orv-extern-" + std::to_string(getpid()));
        fs::remove_all(m_log);
        fs::create_directories(m_log);
        setenv("ORVANTA_FIXTURE_LOG", m_log.c_str(), 1);
    }
    void TearDown() override
    {
        m_host.OnLoginout();
        for (const Start& s : Starts("OrvantaClient"))
            kill(s.pid, SIGKILL);
        // A raiser started just before may still be writing its record.
        std::error_code ec;
        for (int i = 0; i < 50 && (fs::remove_all(m_log, ec), fs::exists(m_log)); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }

    std::vector<Start> Starts(const std::string& program) { return StandInLog(m_log).Starts(program); }
    std::vector<Start> WaitForStarts(const std::string& program, size_t count)
    {
        return StandInLog(m_log).WaitForStarts(program, count);
    }

    bool WaitForAppState(const char* ip, int state)
    {
        for (int i = 0; i < 500 && m_host.GetAppState(ip) != state; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return m_host.GetAppState(ip) == state;
    }

    static bool Gone(int pid)
    {
        for (int i = 0; i < 500; ++i) {
            if (kill(pid, 0) != 0)
                return true; // not even a zombie is left
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

    static size_t OpenDescriptors()
    {
        return std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator());
    }

    // The descriptor count once background work (watchers, the reaper) has let go of what it held.
    static size_t SettledDescriptors()
    {
        size_t count = OpenDescriptors();
        for (int stable = 0, i = 0; stable < 10 && i < 500; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            size_t now = OpenDescriptors();
            stable = now == count ? stable + 1 : 0;
            count = now;
        }
        return count;
    }

    bool Open(const char* ip, const char* size = "1280x720")
    {
        return m_host.OnOpenApp("", ip, "ann", "pw", size, "", "", nullptr, "", "", "", "", 3389);
    }

    fs::path m_log;
    Host m_host;
};

TEST_F(OrvExternTest, StartsTheClientWithItsCommandLineAndFollowsIt)
{
    ASSERT_TRUE(m_host.OnOpenApp("p", "srv1", "ann", "pw", "1280x720", R"(C:\apps\notepad.exe)", "x", nullptr, "0",
                                 "", "1", "", 3390));
    EXPECT_EQ(m_host.GetAppState("srv1"), 1);
    EXPECT_EQ(m_host.GetAppState("SRV1"), 0);
    EXPECT_NE(OrvExtern::GetRdpHandle("srv1"), -1);

    auto clients = WaitForStarts("OrvantaClient", 1);
    ASSERT_EQ(clients.size(), 1u);
    EXPECT_EQ(clients[0].argv,
              (std::vector<std::string>{m_host.GetCurPath() + "/OrvantaClient", "/u:ann", "/p:pw", "/v:srv1",
                                        "/t:Orvanta Client #1", "/w:1280", "/h:720", "/port:3390", "/bpp:32",
                                        "/cliprdr:0", "/printer:1", R"(/shell:"C:\apps\notepad.exe")"}));
    auto raises = WaitForStarts("TopRaiser", 1);
    ASSERT_EQ(raises.size(), 1u);
    EXPECT_EQ(raises[0].argv, (std::vector<std::string>{m_host.GetCurPath() + "/public/TopRaiser", "Orvanta",
                                                        "Client", "#1"}));

    // The user closes the client: the watcher forgets it.
    kill(clients[0].pid, SIGTERM);
    EXPECT_TRUE(WaitForAppState("srv1", 0));
    EXPECT_EQ(OrvExtern::GetRdpHandle("srv1"), -1);
    EXPECT_TRUE(Gone(clients[0].pid));

    // A later open starts a new client with the next number.
    ASSERT_TRUE(Open("srv1"));
    auto again = WaitForStarts("OrvantaClient", 2);
    ASSERT_EQ(again.size(), 2u);
    EXPECT_EQ(again[1].argv[4], "/t:Orvanta Client #2");
}

TEST_F(OrvExternTest, ReopeningARunningServerOnlyRaisesItsWindow)
{
    ASSERT_TRUE(Open("srv1"));
    ASSERT_TRUE(Open("srv2"));
    ASSERT_TRUE(Open("srv1", "800x600"));
    ASSERT_TRUE(Open("srv3"));
    auto clients = WaitForStarts("OrvantaClient", 3);
    ASSERT_EQ(clients.size(), 3u);
    EXPECT_EQ(clients[2].argv[2], "/p:pw");
    EXPECT_EQ(clients[2].argv[3], "/v:srv3");
    EXPECT_EQ(clients[2].argv[4], "/t:Orvanta Client #3"); // the reopen used up no number
    // srv1 raised again with the title it was started with. The raisers run concurrently, so their
    // records may come in any order.
    auto raises = WaitForStarts("TopRaiser", 4);
    std::multiset<std::string> titles;
    for (const Start& raise : raises)
        titles.insert(raise.argv.back());
    EXPECT_EQ(titles, (std::multiset<std::string>{"#1", "#1", "#2", "#3"}));
}

TEST_F(OrvExternTest, LogoutEndsEveryClientAndLeavesNoDescriptorOrZombie)
{
    // The first round creates what lives on for the whole process (the reaper).
    ASSERT_TRUE(Open("warm-up"));
    m_host.OnLoginout();
    ASSERT_TRUE(WaitForAppState("warm-up", 0));
    ASSERT_TRUE(Gone(WaitForStarts("OrvantaClient", 1)[0].pid));

    size_t before = SettledDescriptors();
    int sentinel = open("/dev/null", O_RDONLY | O_CLOEXEC);
    ASSERT_TRUE(Open("srv1"));
    ASSERT_TRUE(Open("srv2"));
    auto clients = WaitForStarts("OrvantaClient", 3);
    ASSERT_EQ(clients.size(), 3u);

    m_host.OnLoginout();
    EXPECT_EQ(m_host.GetAppState("srv1"), 0);
    EXPECT_EQ(m_host.GetAppState("srv2"), 0);
    EXPECT_TRUE(Gone(clients[1].pid));
    EXPECT_TRUE(Gone(clients[2].pid));
    EXPECT_EQ(WaitForStarts("trovent_close.sh", 2).size(), 2u); // the close script ran at each logout

    // Every watcher has woken up and closed only its own descriptor.
    EXPECT_EQ(SettledDescriptors(), before + 1);
    char target[64] = {};
    EXPECT_GT(readlink(("/proc/self/fd/" + std::to_string(sentinel)).c_str(), target, sizeof target - 1), 0);
    EXPECT_STREQ(target, "/dev/null");
    close(sentinel);
}

TEST_F(OrvExternTest, AClientReopenedRightAfterLogoutKeepsItsEntry)
{
    ASSERT_TRUE(Open("srv1"));
    m_host.OnLoginout();
    ASSERT_TRUE(Open("srv1"));
    // The first client's watcher wakes up late; it must not take away the second client's entry.
    ASSERT_TRUE(Gone(WaitForStarts("OrvantaClient", 2)[0].pid));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(m_host.GetAppState("srv1"), 1);
}

TEST_F(OrvExternTest, AClientThatCannotStartRegistersNothingButUsesUpItsNumber)
{
    fs::path client = fs::path(m_host.GetCurPath()) / "OrvantaClient";
    fs::path hidden = client.string() + ".away-" + std::to_string(getpid());
    fs::rename(client, hidden);
    bool started = Open("srv1");
    fs::rename(hidden, client);
    EXPECT_FALSE(started);
    EXPECT_EQ(m_host.GetAppState("srv1"), 0);
    ASSERT_TRUE(Open("srv1"));
    EXPECT_EQ(WaitForStarts("OrvantaClient", 1)[0].argv[4], "/t:Orvanta Client #2");
}

TEST_F(OrvExternTest, CreateDiskPassesItsTextsVerbatim)
{
    m_host.OnCreateDisk("//srv/share", "ann smith", "", "pw");
    auto starts = WaitForStarts("trovent_con.sh", 1);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].argv, (std::vector<std::string>{m_host.GetCurPath() + "/trovent_con.sh", "//srv/share", "ann",
                                                        "smith", "pw"}));
}

TEST_F(OrvExternTest, ExecutCmdExpandsTheCommandButNotTheArguments)
{
    setenv("ORV_TEST_WORD", "expanded", 1);
    std::string command = "\"" + m_host.GetCurPath() + "/trovent_close.sh\" %ORV_TEST_WORD%";
    for (const char* arguments : {static_cast<const char*>(nullptr), "", "%ORV_TEST_WORD% \"two words\""}) {
        int process = m_host.ExecutCmd(command.c_str(), arguments);
        ASSERT_NE(process, -1);
        OrvExtern::CloseRdpProcess("", process, false);
    }
    std::multiset<std::vector<std::string>> lines;
    for (const Start& start : WaitForStarts("trovent_close.sh", 3))
        lines.insert(start.argv);
    std::string program = m_host.GetCurPath() + "/trovent_close.sh";
    // Null and empty argument texts give the same arguments: the trailing blank adds nothing.
    EXPECT_EQ(lines, (std::multiset<std::vector<std::string>>{
                         {program, "expanded"},
                         {program, "expanded"},
                         {program, "expanded", "%ORV_TEST_WORD%", "two words"}}));
    EXPECT_EQ(m_host.ExecutCmd("\"/no/such/program\"", nullptr), -1);
}

TEST_F(OrvExternTest, CurrentInstanceIsTheLatestObjectUntilItGoes)
{
    EXPECT_EQ(OrvExtern::CurrentInstance(), &m_host);
    {
        Host second;
        EXPECT_EQ(OrvExtern::CurrentInstance(), &second);
        Host copy(m_host);
        EXPECT_EQ(OrvExtern::CurrentInstance(), &second); // a copy does not become current
    }
    EXPECT_EQ(OrvExtern::CurrentInstance(), nullptr); // cleared by the destruction, whoever was current
    OrvExtern::OnClearRdpProcess();
    EXPECT_FALSE(OrvExtern::EraseRdpProcess("nobody"));
}

} // namespace
