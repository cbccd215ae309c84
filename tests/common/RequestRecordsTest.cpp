#include "common/RequestRecords.h"

#include <gtest/gtest.h>

namespace {

struct PortCase
{
    const char* query;
    const char* ip;
    int32_t port;
};

void PrintTo(const PortCase& c, std::ostream* os)
{
    *os << c.query;
}

class OpenAppPortTest : public testing::TestWithParam<PortCase>
{
};

TEST_P(OpenAppPortTest, SplitsThePortOffTheIp)
{
    OpenAppRequest r = OpenAppRequest::FromArguments(ParseArguments(GetParam().query));
    EXPECT_EQ(r.ip, GetParam().ip);
    EXPECT_EQ(r.port, GetParam().port);
}

INSTANTIATE_TEST_SUITE_P(Cases, OpenAppPortTest,
                         testing::Values(PortCase{"ip=host1:3390", "host1", 3390},
                                         PortCase{"ip=host1", "host1", 3389},
                                         PortCase{"ip=host1:abc", "host1", 3389},
                                         PortCase{"ip=host1:", "host1", 3389},
                                         PortCase{"ip=host1:0", "host1", 3389},
                                         PortCase{"ip=host1:3391x", "host1", 3391}, // trailing text ignored
                                         PortCase{"ip=h:1:2", "h", 1},             // first ":" splits
                                         PortCase{"ip= :-5", " ", -5},
                                         PortCase{"ip=h: +7", "h", 7},
                                         PortCase{"ip=h:4294967296", "h", 2147483647}, // held at the limit
                                         PortCase{"user=u", "", 3389}));

TEST(OpenAppRequestTest, FillsEveryFieldFromItsKey)
{
    OpenAppRequest r = OpenAppRequest::FromArguments(
        ParseArguments("path=p*?*ip=host1:3390*?*user=u*?*passwd=pw*?*size=800x600*?*app=||notepad*?*param=x"
                       "*?*depth=16*?*clip=1*?*drive=0*?*printer=1*?*usb=0*?*unknown=z*?*IP=ignored"));
    EXPECT_EQ(r.path, "p");
    EXPECT_EQ(r.ip, "host1");
    EXPECT_EQ(r.port, 3390);
    EXPECT_EQ(r.user, "u");
    EXPECT_EQ(r.passwd, "pw");
    EXPECT_EQ(r.size, "800x600");
    EXPECT_EQ(r.app, "||notepad");
    EXPECT_EQ(r.param, "x");
    EXPECT_EQ(r.depth, "16");
    EXPECT_EQ(r.clip, "1");
    EXPECT_EQ(r.drive, "0");
    EXPECT_EQ(r.printer, "1");
    EXPECT_EQ(r.usb, "0");
}

TEST(OpenAppRequestTest, LeavesAbsentKeysEmpty)
{
    OpenAppRequest r = OpenAppRequest::FromArguments(ParseArguments("ip=host1:3390*?*user=u"));
    EXPECT_EQ(r.ip, "host1");
    EXPECT_EQ(r.port, 3390);
    EXPECT_EQ(r.user, "u");
    for (const std::string* field : {&r.path, &r.passwd, &r.size, &r.app, &r.param, &r.depth, &r.clip, &r.drive,
                                     &r.printer, &r.usb})
        EXPECT_TRUE(field->empty());
}

TEST(VpnRequestTest, FillsEveryFieldFromItsKey)
{
    VpnRequest r = VpnRequest::FromArguments(ParseArguments(
        "entry=vpn.example:1194*?*user=u*?*passwd=p*?*mask=255.0.0.0*?*gateway=--route x*?*maskmode=1"));
    EXPECT_EQ(r.entry, "vpn.example:1194");
    EXPECT_EQ(r.user, "u");
    EXPECT_EQ(r.passwd, "p");
    EXPECT_EQ(r.mask, "255.0.0.0");
    EXPECT_EQ(r.gateway, "--route x");
    EXPECT_EQ(r.maskmode, "1");
}

TEST(DiskRequestTest, FillsEveryFieldFromItsKey)
{
    DiskRequest r = DiskRequest::FromArguments(ParseArguments("passwd=p*?*path=\\\\srv\\share*?*user1=a*?*user2=b"));
    EXPECT_EQ(r.path, "\\\\srv\\share");
    EXPECT_EQ(r.user1, "a");
    EXPECT_EQ(r.user2, "b");
    EXPECT_EQ(r.passwd, "p");
}

} // namespace
