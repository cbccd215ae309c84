#include "control/PortChoice.h"

#include <gtest/gtest.h>

namespace {

using Row = platform::TcpTableRow;
constexpr uint32_t kLoopback = 0x7F000001;

struct PortCase
{
    const char* name;
    std::vector<Row> rows;
    std::vector<int> ports;
};

void PrintTo(const PortCase& c, std::ostream* os)
{
    *os << c.name;
}

class FindFreePortTest : public testing::TestWithParam<PortCase>
{
};

TEST_P(FindFreePortTest, RemovesOnlyLoopbackListeners)
{
    EXPECT_EQ(FindFreePort(GetParam().rows), GetParam().ports) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindFreePortTest,
    testing::Values(
        PortCase{"empty table", {}, {21010, 21011, 21012, 21013, 21014}},
        PortCase{"two loopback listeners", {{kLoopback, 21010, true}, {kLoopback, 21011, true}}, {21012, 21013, 21014}},
        PortCase{"any-address listener", {{0, 21010, true}}, {21010, 21011, 21012, 21013, 21014}},
        PortCase{"other local address", {{0x0A000001, 21012, true}}, {21010, 21011, 21012, 21013, 21014}},
        PortCase{"connection, not listener", {{kLoopback, 21013, false}}, {21010, 21011, 21012, 21013, 21014}},
        PortCase{"all five",
                 {{kLoopback, 21014, true}, {kLoopback, 21013, true}, {kLoopback, 21012, true},
                  {kLoopback, 21011, true}, {kLoopback, 21010, true}},
                 {}},
        PortCase{"outside the range", {{kLoopback, 21019, true}, {kLoopback, 21009, true}},
                 {21010, 21011, 21012, 21013, 21014}}));

} // namespace
