#include "ControlTestSupport.h"
#include "Version.h"
#include "common/HostFolder.h"
#include "fixtures/FixtureServer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <thread>

namespace {

struct EndpointCase
{
    const char* path;
    const char* query;
    int status;
    std::string reply;
    int queuedCode; // 0: nothing queued
};

void PrintTo(const EndpointCase& c, std::ostream* os)
{
    *os << std::string(c.path) + "?" + c.query;
}

class EndpointTableTest : public testing::TestWithParam<EndpointCase>
{
};

TEST_P(EndpointTableTest, AnswersAndQueuesAsTheTableSays)
{
    RecordingServer server;
    const EndpointCase& c = GetParam();
    std::string reply = "OK";
    EXPECT_EQ(server.DispatchRequest(c.path, c.query, reply), c.status);
    EXPECT_EQ(reply, c.reply);
    auto posted = server.WaitForPosted(0);
    if (c.queuedCode == 0) {
        EXPECT_TRUE(posted.empty());
    } else {
        ASSERT_EQ(posted.size(), 1u);
        EXPECT_EQ(posted[0], std::make_pair(c.queuedCode, std::string(c.query)));
    }
}

const char kAppQuery[] = "ip=host1:3390*?*user=u";

INSTANTIATE_TEST_SUITE_P(
    WithoutMainWindow, EndpointTableTest,
    testing::Values(EndpointCase{"/init", "anything", 200, "OK_1", 0},
                    EndpointCase{"/vpn-state", "", 200, "0", 0},
                    EndpointCase{"/remote_state", "pc1*?*notepad.exe", 200, "pc1*?*notepad.exe*?*0", 0},
                    EndpointCase{"/app_state", "srv1", 200, "srv1*?*0", 0},
                    EndpointCase{"/openvpn", "entry=h:1194*?*user=u", 200, "OK", 1},
                    EndpointCase{"/createdisk", "path=p", 200, "OK", 2},
                    EndpointCase{"/openapp", kAppQuery, 200, "OK", 3},
                    EndpointCase{"/remoteapp", kAppQuery, 200, "OK", 4},
                    EndpointCase{"/openurl", "x=1*?*a=page", 200, "OK", 5},
                    EndpointCase{"/loginout", "", 200, "OK", 6},
                    EndpointCase{"/web-homepage", "url=http://h/", 200, "OK", 10},
                    EndpointCase{"/web-apppage", "url=http://h/", 200, "OK", 11},
                    EndpointCase{"/client-version", "", 200, kProductVersion, 0},
                    EndpointCase{"/printing-status", "", 200, "OK", 0},
                    EndpointCase{"/browser", "free text", 200, "OK", 13},
                    EndpointCase{"/SSOInfo", "mail=dXNlcg==", 200, "OK", 14},
                    // exact, case-sensitive paths only
                    EndpointCase{"/Init", "", 405, "FAILED", 0}, EndpointCase{"/init/", "", 405, "FAILED", 0},
                    EndpointCase{"", "", 405, "FAILED", 0}, EndpointCase{"/ssoinfo", "a=b", 405, "FAILED", 0}));

TEST(ClientVersionTest, IsFourDotSeparatedNumbers)
{
    EXPECT_TRUE(std::regex_match(kProductVersion, std::regex(R"(\d+\.\d+\.\d+\.\d+)")));
}

struct StateCase
{
    const char* path;
    const char* query;
    std::string reply;
    int remoteLookups;
};

void PrintTo(const StateCase& c, std::ostream* os)
{
    *os << std::string(c.path) + "?" + c.query;
}

class WindowStateTest : public testing::TestWithParam<StateCase>
{
};

TEST_P(WindowStateTest, ReadsTheAttachedMainWindow)
{
    RecordingServer server;
    FakeWindowState window;
    server.AttachWindowState(&window);
    std::string reply = "OK";
    EXPECT_EQ(server.DispatchRequest(GetParam().path, GetParam().query, reply), 200);
    EXPECT_EQ(reply, GetParam().reply);
    EXPECT_EQ(window.remoteLookups, GetParam().remoteLookups);

    server.DetachWindowState();
    reply = "OK";
    server.DispatchRequest("/vpn-state", "", reply);
    EXPECT_EQ(reply, "0");
}

INSTANTIATE_TEST_SUITE_P(WithMainWindow, WindowStateTest,
                         testing::Values(StateCase{"/vpn-state", "", "2", 0},
                                         StateCase{"/app_state", "srv1", "srv1*?*1", 0},
                                         StateCase{"/app_state", "srv1*?*extra", "srv1*?*extra*?*1", 0},
                                         StateCase{"/app_state", "srv2", "srv2*?*0", 0},
                                         StateCase{"/app_state", "", "*?*0", 0},
                                         StateCase{"/remote_state", "pc1*?*notepad.exe", "pc1*?*notepad.exe*?*1", 1},
                                         StateCase{"/remote_state", "pc1*?*calc.exe", "pc1*?*calc.exe*?*0", 1},
                                         // fewer than two fields: no look-up at all
                                         StateCase{"/remote_state", "pc1", "pc1*?*0", 0}));

class TransferEndpointTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_host = std::filesystem::temp_directory_path() / ("orv-host-" + std::to_string(getpid()));
        std::filesystem::create_directories(m_host);
        SetModuleDirectoryForTesting(m_host);
    }
    void TearDown() override
    {
        SetModuleDirectoryForTesting("");
        std::filesystem::remove_all(m_host);
    }

    std::string Dispatch(RecordingServer& server, const std::string& path, const std::string& query)
    {
        std::string reply = "OK";
        server.DispatchRequest(path, query, reply);
        return reply;
    }

    FixtureServer m_web;
    std::filesystem::path m_host;
};

TEST_F(TransferEndpointTest, PrintingStatusIsBusyWhileThePrintFileIsFetched)
{
    RecordingServer server;
    EXPECT_EQ(Dispatch(server, "/printing-file", m_web.Url("/slow/2/doc.pdf")), "OK");
    EXPECT_EQ(Dispatch(server, "/printing-status", ""), "BUSY");
    // A second print request while the first runs is dropped.
    EXPECT_EQ(Dispatch(server, "/printing-file", m_web.Url("/files/other.pdf")), "OK");
    auto posted = server.WaitForPosted(1);
    for (int i = 0; i < 200 && Dispatch(server, "/printing-status", "") == "BUSY"; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(Dispatch(server, "/printing-status", ""), "OK");
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0], std::make_pair(7, "path=" + (m_host / "Data" / "doc.pdf").string()));
}

TEST_F(TransferEndpointTest, ExecuteAndUpdateShareOneSlot)
{
    RecordingServer server;
    Dispatch(server, "/excute", m_web.Url("/slow/1/setup.sh"));
    Dispatch(server, "/update", m_web.Url("/files/update.sh")); // dropped: the slot is busy
    auto posted = server.WaitForPosted(1);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0], std::make_pair(8, "path=" + (m_host / "Data" / "setup.sh").string()));
    for (int i = 0; i < 100 && posted.size() < 2; ++i) {
        Dispatch(server, "/update", m_web.Url("/files/update.sh"));
        posted = server.WaitForPosted(2, 1);
    }
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_EQ(posted[1], std::make_pair(9, "path=" + (m_host / "Data" / "update.sh").string()));
}

} // namespace
