#include "common/HostFolder.h"
#include "vpn/VpnManager.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sched.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class TunnelVpnManager : public VpnManager
{
protected:
    void OnVpnStateChanged(int) override {}
};

int Shell(const std::string& command)
{
    return std::system((command + " >/dev/null 2>&1").c_str());
}

// A real tunnel: this test process moves into a network namespace of its own, an openvpn server runs in
// a second namespace behind a veth pair (private addresses that exist only in these namespaces), and
// the client's engine is the system's openvpn, started by VpnManager.
class VpnTunnelTest : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char name[] = "test_vpn";
        static char* argv[] = {name, nullptr};
        if (QCoreApplication::instance() == nullptr)
            new QCoreApplication(argc, argv);
    }

    void SetUp() override
    {
        if (access("/dev/net/tun", R_OK | W_OK) != 0)
            GTEST_SKIP() << "no /dev/net/tun on this machine";
        if (unshare(CLONE_NEWNET) != 0)
            GTEST_SKIP() << "this machine lets the test create no network namespace";
        m_server = "orvvpn" + std::to_string(getpid());
        ASSERT_EQ(Shell("ip link set lo up"), 0);
        ASSERT_EQ(Shell("ip netns add " + m_server), 0);
        m_namespaceMade = true;
        ASSERT_EQ(Shell("ip link add orvc0 type veth peer name orvs0 netns " + m_server), 0);
        ASSERT_EQ(Shell("ip addr add 10.99.0.1/24 dev orvc0 && ip link set orvc0 up"), 0);
        ASSERT_EQ(Shell("ip -n " + m_server + " addr add 10.99.0.2/24 dev orvs0 && ip -n " + m_server +
                      " link set orvs0 up && ip -n " + m_server + " link set lo up"),
                  0);

        m_folder = fs::temp_directory_path() / ("orv-tunnel-" + std::to_string(getpid()));
        fs::remove_all(m_folder);
        fs::create_directories(m_folder / "pki");
        fs::create_directories(m_folder / "runtime");
        setenv("XDG_RUNTIME_DIR", (m_folder / "runtime").c_str(), 1);
        ASSERT_TRUE(MakeCertificates());
        ASSERT_TRUE(StartServer());
        MakeHostFolder();
    }

    void TearDown() override
    {
        if (m_serverPid > 0) {
            kill(m_serverPid, SIGTERM);
            waitpid(m_serverPid, nullptr, 0);
        }
        if (m_namespaceMade)
            Shell("ip netns delete " + m_server);
        SetModuleDirectoryForTesting("");
        fs::remove_all(m_folder);
    }

    bool MakeCertificates()
    {
        std::string pki = (m_folder / "pki").string();
        return Shell("cd '" + pki + "' && "
                   "openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -keyout ca.key "
                   "-out ca.crt -days 1 -subj /CN=orvanta-test-ca && "
                   "openssl req -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -keyout server.key "
                   "-out server.csr -subj /CN=orvanta-test-server && "
                   "printf 'extendedKeyUsage=serverAuth\\nkeyUsage=digitalSignature,keyAgreement\\n' > ext && "
                   "openssl x509 -req -in server.csr -CA ca.crt -CAkey ca.key -CAcreateserial -out server.crt "
                   "-days 1 -extfile ext") == 0;
    }

    bool StartServer()
    {
        std::string pki = (m_folder / "pki").string();
        std::ofstream(m_folder / "check.sh") << "#!/bin/sh\n"
                                                "[ \"$(sed -n 1p \"$1\")\" = ann ] && [ \"$(sed -n 2p \"$1\")\" = right ]\n";
        fs::permissions(m_folder / "check.sh", fs::perms::owner_all);
        std::ofstream(m_folder / "server.conf")
            << "dev tun\nproto udp\nlocal 10.99.0.2\nport 1194\ntopology subnet\nserver 10.8.99.0 255.255.255.0\n"
            << "ca " << pki << "/ca.crt\ncert " << pki << "/server.crt\nkey " << pki << "/server.key\n"
            << "dh none\nverify-client-cert none\nusername-as-common-name\nscript-security 2\n"
            << "auth-user-pass-verify " << (m_folder / "check.sh").string() << " via-file\n"
            << "keepalive 1 4\nverb 1\n";
        m_serverPid = fork();
        if (m_serverPid == 0) {
            int devnull = open("/dev/null", O_WRONLY);
            dup2(devnull, 1);
            dup2(devnull, 2);
            execlp("ip", "ip", "netns", "exec", m_server.c_str(), "openvpn", "--config",
                   (m_folder / "server.conf").c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        return m_serverPid > 0;
    }

    void MakeHostFolder()
    {
        fs::path engine = m_folder / "host" / "orvanta_sslvpn";
        fs::create_directories(engine / "bin");
        fs::create_directories(engine / "config");
        fs::create_directories(engine / "log");
        fs::create_symlink("/usr/sbin/openvpn", engine / "bin" / "orvanta_sslvpn");
        std::ofstream(engine / "config" / "client.ovpn")
            << "client\ndev tun\nproto udp\nremote placeholder 1\nnobind\nca " << (m_folder / "pki").string()
            << "/ca.crt\nauth-user-pass\nconnect-retry 1\nverb 3\n";
        SetModuleDirectoryForTesting((m_folder / "host").string());
    }

    template <typename Done>
    bool RunUntil(Done done, int seconds)
    {
        for (int i = 0; i < seconds * 50 && !done(); ++i) {
            QCoreApplication::processEvents();
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return done();
    }

    static int TunDevices() { return Shell("ip -o link show type tun | grep -q .") == 0 ? 1 : 0; }

    // The bracket keeps the pattern from matching the shell that runs pgrep.
    static bool EngineRunning() { return Shell("pgrep -f 'orvanta_sslvpn/log/[c]lient.log'") == 0; }

    std::string m_server;
    bool m_namespaceMade = false;
    fs::path m_folder;
    pid_t m_serverPid = -1;
};

TEST_F(VpnTunnelTest, TheRightPasswordConnectsAndALostServerReconnects)
{
    TunnelVpnManager vpn;
    ASSERT_EQ(vpn.StartVpn("10.99.0.2:1194", "ann", "right", ""), 1);
    EXPECT_TRUE(RunUntil([&] { return vpn.State() == 2; }, 20));
    ASSERT_TRUE(RunUntil([&] { return vpn.State() == 1; }, 30));
    EXPECT_EQ(TunDevices(), 1);

    kill(m_serverPid, SIGTERM);
    waitpid(m_serverPid, nullptr, 0);
    m_serverPid = -1;
    EXPECT_TRUE(RunUntil([&] { return vpn.State() == 3; }, 30));

    EXPECT_EQ(vpn.StopVpn(), 3);
    EXPECT_FALSE(EngineRunning());
    EXPECT_EQ(TunDevices(), 0);
    EXPECT_TRUE(fs::is_empty(m_folder / "runtime" / "orvanta-private"));
}

TEST_F(VpnTunnelTest, AWrongPasswordNeverConnects)
{
    TunnelVpnManager vpn;
    ASSERT_EQ(vpn.StartVpn("10.99.0.2:1194", "ann", "wrong", ""), 1);
    EXPECT_FALSE(RunUntil([&] { return vpn.State() == 1; }, 8));
    vpn.StopVpn();
    EXPECT_FALSE(EngineRunning());
    EXPECT_EQ(TunDevices(), 0);
}

} // namespace
