#include "app/ProcessKind.h"

#include <gtest/gtest.h>

namespace {

struct KindCase
{
    std::vector<std::string> arguments;
    ProcessKind kind;
};

void PrintTo(const KindCase& c, std::ostream* os)
{
    *os << testing::PrintToString(c.arguments);
}

class ProcessKindTest : public testing::TestWithParam<KindCase>
{
};

TEST_P(ProcessKindTest, IsDecidedByTheTypeSwitch)
{
    EXPECT_EQ(ProcessKindFromArguments(GetParam().arguments), GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProcessKindTest,
    testing::Values(KindCase{{}, ProcessKind::Browser}, KindCase{{"1"}, ProcessKind::Browser},
                    KindCase{{"--type=renderer"}, ProcessKind::Renderer},
                    KindCase{{"--lang=en", "--type=gpu-process"}, ProcessKind::OtherSubProcess},
                    KindCase{{"--type"}, ProcessKind::OtherSubProcess},
                    KindCase{{"-type=renderer"}, ProcessKind::Renderer},
                    KindCase{{"--typeface=x", "type=renderer"}, ProcessKind::Browser},
                    KindCase{{"--", "--type=renderer"}, ProcessKind::Browser}));

} // namespace
