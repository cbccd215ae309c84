#include "common/CommandLine.h"
#include "fixtures/StandInLog.h"
#include "tools/vpnadapter/AdapterMetric.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

struct MetricCase
{
    std::vector<std::string> arguments;
    std::optional<int> metric;
};

void PrintTo(const MetricCase& c, std::ostream* os)
{
    *os << testing::PrintToString(c.arguments);
}

class MetricArgumentTest : public testing::TestWithParam<MetricCase>
{
};

TEST_P(MetricArgumentTest, ReadsTheMetricOrRefuses)
{
    EXPECT_EQ(AdapterMetric::MetricFromArguments(GetParam().arguments), GetParam().metric);
}

INSTANTIATE_TEST_SUITE_P(Cases, MetricArgumentTest,
                         testing::Values(MetricCase{{}, 1}, MetricCase{{"-5"}, -5}, MetricCase{{" 20x", "9"}, 20},
                                         MetricCase{{"abc"}, std::nullopt},
                                         MetricCase{{"2147483648"}, std::nullopt}));

TEST(VpnAdapterTest, TheFirstAdapterWithExactlyTheDescriptionIsTaken)
{
    std::vector<platform::NetworkAdapter> adapters{{"lo", ""},
                                                   {"tun9", "orvanta_ssl_vpn_adapter"},
                                                   {"tun0", "Orvanta_SSL_VPN_Adapter"},
                                                   {"tun1", "Orvanta_SSL_VPN_Adapter"}};
    EXPECT_EQ(AdapterMetric::FindVpnAdapter(adapters), "tun0");
    adapters.erase(adapters.begin() + 2, adapters.end());
    EXPECT_EQ(AdapterMetric::FindVpnAdapter(adapters), std::nullopt);
}

TEST(VpnAdapterTest, AnAdapterNameWithBlanksReachesTheScriptAsOneArgument)
{
    EXPECT_EQ(SplitCommandLine(AdapterMetric::UpdateMetricCommandLine("/opt/my host", "VPN adapter 2", -5)),
              (std::vector<std::string>{"/opt/my host/updateMetric.sh", "VPN adapter 2", "-5"}));
}

// The real tool in a network namespace of its own, with interfaces carrying aliases.
class VpnAdapterNamespaceTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_namespace = "orvtest" + std::to_string(getpid());
        if (std::system(("ip netns add " + m_namespace + " 2>/dev/null").c_str()) != 0)
            GTEST_SKIP() << "this machine lets the test create no network namespace (needs root and iproute2)";
        m_created = true;
        Ip("link add orvcase0 type veth peer name orvcase1"); // veth: no dummy driver is needed
        Ip("link set orvcase0 alias orvanta_ssl_vpn_adapter");
        Ip("link add orvvpn0 type veth peer name orvvpn1");
        Ip("link set orvvpn0 alias Orvanta_SSL_VPN_Adapter");
        m_folder = fs::temp_directory_path() / ("orv-adapter-" + std::to_string(getpid()));
        fs::remove_all(m_folder);
        fs::create_directories(m_folder / "log");
        fs::copy_file(ORVANTA_VPNADAPTER_PROGRAM, m_folder / "OrvVpnAdapterInfo");
        fs::copy_file(ORVANTA_RECORDER_PROGRAM, m_folder / "updateMetric.sh");
        setenv("ORVANTA_FIXTURE_LOG", (m_folder / "log").c_str(), 1);
    }
    void TearDown() override
    {
        if (m_created)
            [[maybe_unused]] int rc = std::system(("ip netns delete " + m_namespace).c_str());
        fs::remove_all(m_folder);
    }

    void Ip(const std::string& command)
    {
        ASSERT_EQ(std::system(("ip -n " + m_namespace + " " + command).c_str()), 0) << command;
    }

    std::vector<StandInLog::Start> Run(const std::string& arguments, size_t expectedStarts)
    {
        std::string command = "ip netns exec " + m_namespace + " '" + (m_folder / "OrvVpnAdapterInfo").string() +
                              "' " + arguments;
        EXPECT_EQ(std::system(command.c_str()), 0);
        return StandInLog(m_folder / "log").WaitForStarts("updateMetric.sh", expectedStarts);
    }

    std::string m_namespace;
    bool m_created = false;
    fs::path m_folder;
};

TEST_F(VpnAdapterNamespaceTest, TheScriptGetsTheAdapterWithTheExactAliasAndTheMetric)
{
    auto starts = Run("", 1);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].argv, (std::vector<std::string>{(m_folder / "updateMetric.sh").string(), "orvvpn0", "1"}));
    starts = Run("-5", 2);
    ASSERT_EQ(starts.size(), 2u);
    EXPECT_EQ(starts[1].argv.back(), "-5");
    Run("abc", 2);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(StandInLog(m_folder / "log").Starts("updateMetric.sh").size(), 2u);
}

} // namespace
