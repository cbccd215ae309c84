#include "common/HostFolder.h"
#include "fixtures/VpnTestNetwork.h"
#include "vpn/VpnManager.h"

#include <QCoreApplication>
#include "fixtures/QtTestApplication.h"

#include <gtest/gtest.h>

#include <thread>

namespace fs = std::filesystem;

namespace {

class TunnelVpnManager : public VpnManager
{
protected:
    void OnVpnStateChanged(int) override {}
};

// A real tunnel to an openvpn server (fixtures/VpnTestNetwork.h); the client's engine is the system's
// openvpn, started by VpnManager.
class VpnTunnelTest : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        EnsureQtApplication<QCoreApplication>();
    }

    void SetUp() override
    {
        m_network = std::make_unique<VpnTestNetwork>();
        if (!m_network->Unavailable().empty())
            GTEST_SKIP() << m_network->Unavailable();
        ASSERT_TRUE(m_network->ready());
        fs::create_directories(m_network->folder() / "runtime");
        setenv("XDG_RUNTIME_DIR", (m_network->folder() / "runtime").c_str(), 1);
        SetModuleDirectoryForTesting(m_network->hostFolder().string());
    }

    void TearDown() override
    {
        SetModuleDirectoryForTesting("");
        m_network.reset();
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

    std::unique_ptr<VpnTestNetwork> m_network;
};

TEST_F(VpnTunnelTest, TheRightPasswordConnectsAndALostServerReconnects)
{
    TunnelVpnManager vpn;
    ASSERT_EQ(vpn.StartVpn("10.99.0.2:1194", "ann", "right", ""), 1);
    EXPECT_TRUE(RunUntil([&] { return vpn.State() == 2; }, 20));
    ASSERT_TRUE(RunUntil([&] { return vpn.State() == 1; }, 30));
    EXPECT_TRUE(VpnTestNetwork::TunDevicePresent());

    m_network->StopServer();
    EXPECT_TRUE(RunUntil([&] { return vpn.State() == 3; }, 30));

    EXPECT_EQ(vpn.StopVpn(), 3);
    EXPECT_FALSE(VpnTestNetwork::ClientEngineRunning());
    EXPECT_FALSE(VpnTestNetwork::TunDevicePresent());
    EXPECT_TRUE(fs::is_empty(m_network->folder() / "runtime" / "orvanta-private"));
}

TEST_F(VpnTunnelTest, AWrongPasswordNeverConnects)
{
    TunnelVpnManager vpn;
    ASSERT_EQ(vpn.StartVpn("10.99.0.2:1194", "ann", "wrong", ""), 1);
    EXPECT_FALSE(RunUntil([&] { return vpn.State() == 1; }, 8));
    vpn.StopVpn();
    EXPECT_FALSE(VpnTestNetwork::ClientEngineRunning());
    EXPECT_FALSE(VpnTestNetwork::TunDevicePresent());
}

} // namespace
