#include "ClientCommandLine.h"

#include <gtest/gtest.h>

namespace {

struct OpenAppCase
{
    const char* name;
    const char* size;
    const char* app;
    const char* depth;
    const char* clip;
    const char* drive;
    const char* printer;
    const char* usb;
    std::string arguments;
};

void PrintTo(const OpenAppCase& c, std::ostream* os)
{
    *os << c.name;
}

class OpenAppArgumentsTest : public testing::TestWithParam<OpenAppCase>
{
};

TEST_P(OpenAppArgumentsTest, WritesEveryPartInOrder)
{
    const OpenAppCase& c = GetParam();
    EXPECT_EQ(ClientCommandLine::OpenAppArguments("srv1", "ann", "pw", c.size, c.app, c.depth, c.clip, c.drive,
                                                  c.printer, c.usb, 3390, "Orvanta Client #3"),
              c.arguments);
}

const std::string kHead = R"( /u:ann /p:pw /v:srv1 /t:"Orvanta Client #3")";

INSTANTIATE_TEST_SUITE_P(
    Cases, OpenAppArgumentsTest,
    testing::Values(
        OpenAppCase{"size", "1280x720", nullptr, "16", nullptr, nullptr, nullptr, nullptr,
                    kHead + " /w:1280 /h:720 /port:3390 /bpp:16"},
        OpenAppCase{"capital X", "1280X720", nullptr, "16", nullptr, nullptr, nullptr, nullptr,
                    kHead + " /w:0 /h:0 /port:3390 /bpp:16"},
        OpenAppCase{"0x0", "0x0", nullptr, "", nullptr, nullptr, nullptr, nullptr,
                    kHead + " /w:0 /h:0 /port:3390 /bpp:"},
        OpenAppCase{"x600", "x600", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                    kHead + " /w:0 /h:600 /port:3390 /bpp:32"},
        OpenAppCase{"empty size", "", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                    kHead + " /w:0 /h:0 /port:3390 /bpp:32"},
        OpenAppCase{"null size", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                    kHead + " /w:0 /h:0 /port:3390 /bpp:32"},
        OpenAppCase{"signs and blanks like atoi", " -5x+7px", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                    kHead + " /w:-5 /h:7 /port:3390 /bpp:32"},
        OpenAppCase{"optional parts", "800x600", "", "24", "0", "1", "1", "0",
                    kHead + " /w:800 /h:600 /port:3390 /bpp:24 /cliprdr:0 /drive:1 /printer:1 /usb:0"},
        OpenAppCase{"empty optional parts are left out", "800x600", "", "24", "", "", "", "",
                    kHead + " /w:800 /h:600 /port:3390 /bpp:24"},
        OpenAppCase{"shell", "800x600", R"(C:\Windows\notepad.exe)", "24", "1", nullptr, nullptr, nullptr,
                    kHead + R"( /w:800 /h:600 /port:3390 /bpp:24 /cliprdr:1 /shell:\"C:\Windows\notepad.exe\")"}));

TEST(ClientCommandLineTest, RemoteAppTextHasNoPortAndTheDriverSwitch)
{
    EXPECT_EQ(ClientCommandLine::RemoteAppArguments("srv1", "ann", "pw", "||notepad", nullptr, "1", "1", "", nullptr),
              R"( /u:ann /p:pw /v:srv1 /t:"Orvanta RemoteApp" /w:0 /h:0 /bpp:32 /cliprdr:1 /driver:1 /shell:||notepad)");
}

} // namespace
