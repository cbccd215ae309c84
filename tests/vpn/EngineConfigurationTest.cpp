#include "vpn/EngineConfiguration.h"

#include <gtest/gtest.h>

namespace {

TEST(EngineConfigurationTest, ServerTextHasABlankForEveryColon)
{
    EXPECT_EQ(EngineConfiguration::ServerText("host:1194"), "host 1194");
    EXPECT_EQ(EngineConfiguration::ServerText("fe80::1:443"), "fe80  1 443");
    EXPECT_EQ(EngineConfiguration::ServerText("host"), "host");
}

struct RemoteCase
{
    const char* name;
    const char* content;
    const char* updated;
};

void PrintTo(const RemoteCase& c, std::ostream* os)
{
    *os << c.name;
}

class UpdateRemoteLineTest : public testing::TestWithParam<RemoteCase>
{
};

TEST_P(UpdateRemoteLineTest, ReplacesTheFirstRemoteLineOrPutsOneFirst)
{
    EXPECT_EQ(EngineConfiguration::UpdateRemoteLine(GetParam().content, "vpn.example 1194"), GetParam().updated);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UpdateRemoteLineTest,
    testing::Values(RemoteCase{"no remote line", "client\ndev tun\n", "remote vpn.example 1194\nclient\ndev tun\n"},
                    RemoteCase{"first of two", "client\nremote a 1\nremote b 2\n", "client\nremote vpn.example 1194\nremote b 2\n"},
                    RemoteCase{"last line without line feed", "client\nremote old 443", "client\nremote vpn.example 1194"},
                    RemoteCase{"inside another word", "#remote x\n", "#remote vpn.example 1194\n"},
                    RemoteCase{"empty file", "", "remote vpn.example 1194\n"}));

TEST(EngineConfigurationTest, OptionsInTheirOrderAndTheExtraTextAfterABlank)
{
    std::string options = EngineConfiguration::Options("/h/orvanta_sslvpn/log/client.log", "/run/p/m.pwd", "");
    EXPECT_EQ(options, "--log \"/h/orvanta_sslvpn/log/client.log\" --config \"client.ovpn\" --setenv IV_GUI_VER "
                       "\"OpenVPN GUI 11\" --auth-retry interact --management 127.0.0.1 25340 \"/run/p/m.pwd\" "
                       "--management-query-passwords --management-hold --management-query-remote ");
    std::string withExtra = EngineConfiguration::Options("l", "p", "--route 10.0.0.0 255.0.0.0");
    EXPECT_TRUE(withExtra.ends_with(" --management-query-remote --route 10.0.0.0 255.0.0.0")) << withExtra;
}

TEST(EngineConfigurationTest, ManagementPasswordsArePrintableAndFresh)
{
    std::string first = EngineConfiguration::MakeManagementPassword();
    ASSERT_EQ(first.size(), 15u);
    for (char c : first)
        EXPECT_TRUE(c >= '!' && c <= '~');
    EXPECT_NE(first, EngineConfiguration::MakeManagementPassword());
}

} // namespace
