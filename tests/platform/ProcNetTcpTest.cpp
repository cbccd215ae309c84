#include "platform/linux/ProcNetTcp.h"

#include <gtest/gtest.h>

namespace {

// The header line, a listener on 127.0.0.1:21010, one on 0.0.0.0:21011, an established connection
// from 127.0.0.1:21012, a listener on 10.1.2.3:21013 and a line that does not parse.
const char kTable[] =
    "  sl  local_address rem_address   st tx_queue rx_queue tr tm->when retrnsmt   uid  timeout inode\n"
    "   0: 0100007F:5212 00000000:0000 0A 00000000:00000000 00:00000000 00000000     0        0 1 1 0 100 0 0 10 0\n"
    "   1: 00000000:5213 00000000:0000 0A 00000000:00000000 00:00000000 00000000     0        0 2 1 0 100 0 0 10 0\n"
    "   2: 0100007F:5214 0100007F:9C40 01 00000000:00000000 00:00000000 00000000     0        0 3 1 0 20 4 30 10 -1\n"
    "   3: 0302010A:5215 00000000:0000 0A 00000000:00000000 00:00000000 00000000     0        0 4 1 0 100 0 0 10 0\n"
    "garbage line\n";

TEST(ProcNetTcpTest, ReadsAddressPortAndListeningState)
{
    auto rows = platform::ParseProcNetTcp(kTable);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].localAddress, 0x7F000001u);
    EXPECT_EQ(rows[0].localPort, 21010);
    EXPECT_TRUE(rows[0].listening);
    EXPECT_EQ(rows[1].localAddress, 0u);
    EXPECT_TRUE(rows[1].listening);
    EXPECT_EQ(rows[2].localPort, 21012);
    EXPECT_FALSE(rows[2].listening);
    EXPECT_EQ(rows[3].localAddress, 0x0A010203u);
}

TEST(ProcNetTcpTest, ReadsTheMachinesTable)
{
    EXPECT_TRUE(platform::ReadTcpTable().has_value());
}

} // namespace
