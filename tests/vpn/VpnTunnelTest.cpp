#include "common/HostFolder.h"
#include "fixtures/VpnTestNetwork.h"
#include "vpn/VpnManager.h"

#include <QCoreApplication>
#include "fixtures/QtTestApplication.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Keeps every state it was told of: one read of the management socket can carry both the
// connecting and the connected line, so polling State() may never see the connecting one.
class TunnelVpnManager : public VpnManager
{
public:
    bool Saw(int state) const { return std::find(m_seen.begin(), m_seen.end(), state) != m_seen.end(); }

protected:
    void OnVpnStateChanged(int state) override { m_seen.push_back(state); }

private:
    std::vector<int> m_seen;
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
    ASSERT_TRUE(RunUntil([&] { return vpn.State() == 1; }, 30));
    EXPECT_TRUE(vpn.Saw(2));
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
