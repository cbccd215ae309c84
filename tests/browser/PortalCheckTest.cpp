#include "browser/PortalCheck.h"
#include "fixtures/FixtureServer.h"

#include <gtest/gtest.h>

namespace {

// The portal test against a local HTTP server (which speaks no TLS).
class PortalCheckTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_NE(m_server.port(), 0); }

    std::string Host(const std::string& path) const { return "127.0.0.1:" + std::to_string(m_server.port()) + path; }

    FixtureServer m_server;
};

struct ReplyCase
{
    const char* path;
    bool passes;
};

void PrintTo(const ReplyCase& c, std::ostream* os)
{
    *os << c.path;
}

class PortalReplyTest : public PortalCheckTest, public testing::WithParamInterface<ReplyCase>
{
};

TEST_P(PortalReplyTest, PassesOnlyWithStatus200AndExactlyTheText)
{
    EXPECT_EQ(PortalCheck::ConnectivityTest("http://" + Host(GetParam().path)), GetParam().passes);
}

INSTANTIATE_TEST_SUITE_P(Cases, PortalReplyTest,
                         testing::Values(ReplyCase{"/portal", true}, ReplyCase{"/portal-newline", false},
                                         ReplyCase{"/portal-404", false}, ReplyCase{"/portal-moved", true},
                                         ReplyCase{"/nothing-here", false}));

TEST_F(PortalCheckTest, ABareHostThatSpeaksOnlyHttpIsKeptWithHttp)
{
    EXPECT_EQ(PortalCheck::CheckAddress(Host("/portal")), "http://" + Host("/portal"));
}

TEST_F(PortalCheckTest, AnAddressWithASchemeInCapitalsIsTestedAsTyped)
{
    EXPECT_EQ(PortalCheck::CheckAddress("HTTP://" + Host("/portal")), "HTTP://" + Host("/portal"));
    // As typed means no second try with another scheme.
    EXPECT_EQ(PortalCheck::CheckAddress("HTTPS://" + Host("/portal")), std::nullopt);
}

TEST_F(PortalCheckTest, NothingIsTriedForAnEmptyAddress)
{
    EXPECT_EQ(PortalCheck::CheckAddress(""), std::nullopt);
}

} // namespace
