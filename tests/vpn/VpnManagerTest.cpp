#include "common/HostFolder.h"
#include "fixtures/StandInLog.h"
#include "common/TextCodec.h"
#include "vpn/EngineConfiguration.h"
#include "vpn/VpnManager.h"

#include <QCoreApplication>
#include <QTcpServer>
#include <QTcpSocket>
#include "fixtures/QtTestApplication.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

class RecordingVpnManager : public VpnManager
{
public:
    std::vector<int> states;

protected:
    void OnVpnStateChanged(int state) override { states.push_back(state); }
};

// A scripted engine on the management port: it prompts for the management password, then answers
// every command line with SUCCESS and plays a healthy connection.
class FakeEngine
{
public:
    bool Listen() { return m_server.listen(QHostAddress::LocalHost, 25340); }
    void CloseConnection()
    {
        if (m_socket != nullptr)
            m_socket->close();
    }

    FakeEngine()
    {
        QObject::connect(&m_server, &QTcpServer::newConnection, [this] {
            m_socket = m_server.nextPendingConnection();
            m_socket->write("ENTER PASSWORD:");
            QObject::connect(m_socket, &QTcpSocket::readyRead, [this] { OnLine(); });
        });
    }

    std::vector<std::string> received;

private:
    void OnLine()
    {
        while (m_socket->canReadLine()) {
            std::string line = m_socket->readLine().toStdString();
            received.push_back(line);
            if (received.size() == 1) {
                m_socket->write("SUCCESS: password is correct\r\n>HOLD:Waiting for hold release:0\r\n");
                continue;
            }
            m_socket->write("SUCCESS: ok\r\n");
            if (line == "hold release\n")
                m_socket->write(">REMOTE:vpn.example,1194,udp\r\n");
            if (line.rfind("remote MOD", 0) == 0)
                m_socket->write(">PASSWORD:Need 'Auth' username/password\r\n");
            if (line.rfind("password", 0) == 0)
                m_socket->write(">STATE:1,WAIT,,,\r\n>STATE:2,CONNECTED,SUCCESS,10.8.0.2,\r\n");
        }
    }

    QTcpServer m_server;
    QTcpSocket* m_socket = nullptr;
};

class VpnManagerTest : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        EnsureQtApplication<QCoreApplication>();
    }

    void SetUp() override
    {
        m_scratch = fs::temp_directory_path() / ("orv-vpn-" + std::to_string(getpid()));
        fs::remove_all(m_scratch);
        fs::create_directories(m_scratch / "log");
        fs::create_directories(m_scratch / "runtime");
        setenv("ORVANTA_FIXTURE_LOG", (m_scratch / "log").c_str(), 1);
        setenv("XDG_RUNTIME_DIR", (m_scratch / "runtime").c_str(), 1);
        fs::create_directories(VpnManager::EngineFolder() + "/config");
        std::ofstream(VpnManager::EngineFolder() + "/config/client.ovpn") << "client\nremote old.example 443\n";
    }
    void TearDown() override { fs::remove_all(m_scratch); }

    template <typename Done>
    bool RunUntil(Done done, int seconds = 10)
    {
        for (int i = 0; i < seconds * 100 && !done(); ++i) {
            QCoreApplication::processEvents();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return done();
    }

    fs::path m_scratch;
};

TEST_F(VpnManagerTest, StartsTheEngineAndLeadsItToConnected)
{
    RecordingVpnManager vpn;
    FakeEngine engine;
    ASSERT_EQ(vpn.StartVpn("vpn.example:1194", "ann", "pw", "--verb 3"), 1);

    auto starts = StandInLog(m_scratch / "log").WaitForStarts("openvpn", 1);
    ASSERT_EQ(starts.size(), 1u);
    const auto& argv = starts[0].argv;
    auto management = std::find(argv.begin(), argv.end(), "--management");
    ASSERT_TRUE(management != argv.end() && argv.end() - management > 3);
    std::string passwordFile = *(management + 3);
    struct stat st {};
    ASSERT_EQ(stat(passwordFile.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    std::string managementPassword;
    std::getline(std::ifstream(passwordFile), managementPassword);
    EXPECT_EQ(managementPassword.size(), 15u);
    EXPECT_EQ(argv.back(), "3"); // the extra text, split like the rest
    std::ifstream config(VpnManager::EngineFolder() + "/config/client.ovpn");
    std::string first, second;
    std::getline(config, first), std::getline(config, second);
    EXPECT_EQ(second, "remote vpn.example 1194");

    // The engine starts listening late: the client tries again every second.
    for (int i = 0; i < 30; ++i) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_TRUE(engine.Listen());
    ASSERT_TRUE(RunUntil([&] { return vpn.State() == 1; }));
    ASSERT_GE(engine.received.size(), 7u);
    EXPECT_EQ(engine.received[0], managementPassword + "\n");
    EXPECT_EQ(engine.received[6], "password \"Auth\" pw\n");
    EXPECT_FALSE(fs::exists(passwordFile)); // gone once the prompt was answered

    EXPECT_EQ(vpn.StopVpn(), 1);
    EXPECT_EQ(vpn.State(), 0);
    EXPECT_EQ(vpn.states.back(), 0);
}

TEST_F(VpnManagerTest, StopBeforeTheEngineAnswersLeavesNoPasswordFile)
{
    RecordingVpnManager vpn;
    ASSERT_EQ(vpn.StartVpn("vpn.example:1194", "ann", "pw", ""), 1);
    auto starts = StandInLog(m_scratch / "log").WaitForStarts("openvpn", 1);
    ASSERT_EQ(starts.size(), 1u);
    auto management = std::find(starts[0].argv.begin(), starts[0].argv.end(), "--management");
    std::string passwordFile = *(management + 3);
    EXPECT_TRUE(fs::exists(passwordFile));
    EXPECT_EQ(vpn.StopVpn(), 0);
    EXPECT_FALSE(fs::exists(passwordFile));
}

} // namespace

#include <sys/socket.h>
#include <sys/un.h>

namespace {

TEST_F(VpnManagerTest, TheStateStaysWhenTheEngineGoesAway)
{
    RecordingVpnManager vpn;
    FakeEngine engine;
    ASSERT_TRUE(engine.Listen());
    ASSERT_EQ(vpn.StartVpn("vpn.example:1194", "ann", "pw", ""), 1);
    ASSERT_TRUE(RunUntil([&] { return vpn.State() == 1; }));
    engine.CloseConnection();
    for (int i = 0; i < 50; ++i) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(vpn.State(), 1);
    EXPECT_EQ(vpn.StopVpn(), 1);
}

// An interactive service listening on its socket is handed the start instead of a direct start.
TEST_F(VpnManagerTest, AListeningServiceStartsTheEngine)
{
    fs::create_directories("/run/orvanta");
    ::unlink(EngineConfiguration::kServiceSocket);
    int service = socket(AF_UNIX, SOCK_SEQPACKET, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, EngineConfiguration::kServiceSocket);
    ASSERT_EQ(bind(service, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(service, 1), 0);

    RecordingVpnManager vpn;
    ASSERT_EQ(vpn.StartVpn("vpn.example:1194", "ann", "pw", ""), 1);
    int client = accept(service, nullptr, nullptr);
    char message[4096];
    ssize_t n = recv(client, message, sizeof message, 0);
    ASSERT_GT(n, 0);
    std::u16string text;
    for (ssize_t i = 0; i + 1 < n; i += 2)
        text += static_cast<char16_t>(static_cast<unsigned char>(message[i]) | (message[i + 1] << 8));
    std::u16string folder = text.substr(0, text.find(u'\0'));
    EXPECT_EQ(folder, TextCodec::Utf8ToUtf16(VpnManager::EngineFolder() + "/config/"));
    EXPECT_NE(text.find(u"--management-query-remote"), std::u16string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), u'\0'), 3);
    EXPECT_TRUE(StandInLog(m_scratch / "log").Starts("openvpn").empty()); // nothing started directly

    vpn.StopVpn();
    EXPECT_EQ(recv(client, message, sizeof message, 0), 0); // the channel is closed
    close(client);
    close(service);
    ::unlink(EngineConfiguration::kServiceSocket);
}

} // namespace
