#include "app/ExternalPrograms.h"
#include "common/CommandLine.h"

#include <gtest/gtest.h>

namespace {

struct UrlCase
{
    const char* url;
    const char* netApp;
    std::vector<std::string> arguments; // what the started program receives
};

void PrintTo(const UrlCase& c, std::ostream* os)
{
    *os << c.url << " with " << c.netApp;
}

class OpenUrlTest : public testing::TestWithParam<UrlCase>
{
};

TEST_P(OpenUrlTest, OpensTheNormalizedAddressInTheConfiguredBrowser)
{
    EXPECT_EQ(SplitCommandLine(ExternalPrograms::OpenUrlCommandLine(GetParam().url, GetParam().netApp)),
              GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OpenUrlTest,
    testing::Values(UrlCase{"portal.example/a b", "", {"xdg-open", "http://portal.example/a b"}},
                    UrlCase{"HTTPS://x.example/", "", {"xdg-open", "HTTPS://x.example/"}},
                    UrlCase{"ftp://x.example/", "", {"xdg-open", "http://ftp://x.example/"}},
                    UrlCase{"", "", {"xdg-open", "about:blank"}},
                    UrlCase{"http://x/", "/usr/bin/firefox", {"/usr/bin/firefox", "http://x/"}},
                    // surrounding quotes of the setting do not matter
                    UrlCase{"http://x/", "\"\"/opt/my browser/run\"", {"/opt/my browser/run", "http://x/"}},
                    UrlCase{"http://x/", "\"\"", {"xdg-open", "http://x/"}}));

TEST(ExternalProgramsTest, TheShareDiskScriptGetsTheFourValuesInOrder)
{
    DiskRequest r{"//srv/share", "ann smith", "", "pw"};
    EXPECT_EQ(SplitCommandLine(ExternalPrograms::ShareDiskCommandLine("/opt/my host", r)),
              (std::vector<std::string>{"/opt/my host/trovent_con.sh", "//srv/share", "ann", "smith", "pw"}));
}

TEST(ExternalProgramsTest, ADownloadedFileOpensWithItsHandler)
{
    EXPECT_EQ(SplitCommandLine(ExternalPrograms::StartDetachedCommandLine("/opt/host/Data/setup 1.sh")),
              (std::vector<std::string>{"xdg-open", "/opt/host/Data/setup 1.sh"}));
}

} // namespace
