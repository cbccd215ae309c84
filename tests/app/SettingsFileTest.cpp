#include "app/OrvantaHandler.h"
#include "app/SettingsFile.h"
#include "common/HostFolder.h"
#include "common/TextCodec.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

Settings SampleSettings()
{
    Settings s;
    s.NetLink = u"https://portal.example/a?x=1&y=2";
    s.Printer = u"Office \u6253\u5370";
    s.Drive = u"X";
    s.NetApp = u"/usr/bin/firefox";
    s.UseOrvBrowser = 1;
    s.XPos = -3;
    s.YPos = 10;
    s.Width = 300;
    s.Height = 450;
    s.MinXPos = 1450;
    s.MinYPos = 20;
    return s;
}

TEST(SettingsFileTest, WritesOneLineInTheFixedOrder)
{
    EXPECT_EQ(SettingsFile::Write(SampleSettings()),
              "<root><NetLink>https://portal.example/a?x=1&y=2</NetLink><Printer>Office \xE6\x89\x93\xE5\x8D\xB0"
              "</Printer><Drive>X</Drive><NetApp>/usr/bin/firefox</NetApp><UseOrvBrowser>1</UseOrvBrowser>"
              "<XPos>-3</XPos><YPos>10</YPos><Width>300</Width><Height>450</Height><MinXPos>1450</MinXPos>"
              "<MinYPos>20</MinYPos></root>");
}

TEST(SettingsFileTest, WritesAndReadsTheAnsiCharset)
{
    TextCodec::SetAnsiCharset("GBK");
    std::string bytes = SettingsFile::Write(SampleSettings());
    EXPECT_NE(bytes.find("Office \xB4\xF2\xD3\xA1"), std::string::npos);
    Settings read;
    SettingsFile::Read(bytes, read);
    EXPECT_EQ(read, SampleSettings());
    TextCodec::SetAnsiCharset("");
}

struct ReadCase
{
    const char* name;
    std::string bytes;
    Settings expected; // starting from SampleSettings()
};

void PrintTo(const ReadCase& c, std::ostream* os)
{
    *os << c.name;
}

Settings With(std::function<void(Settings&)> change)
{
    Settings s = SampleSettings();
    change(s);
    return s;
}

class SettingsReadTest : public testing::TestWithParam<ReadCase>
{
};

TEST_P(SettingsReadTest, ReadsWhatItCan)
{
    Settings settings = SampleSettings();
    SettingsFile::Read(GetParam().bytes, settings);
    EXPECT_EQ(settings, GetParam().expected) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsReadTest,
    testing::Values(
        ReadCase{"another root name", "<config><Printer>P</Printer><Width> +42x</Width></config>",
                 With([](Settings& s) { s.Printer = u"P", s.Width = 42; })},
        ReadCase{"empty XPos stops before the positions",
                 "<root><NetLink>n</NetLink><Printer></Printer><Drive>d</Drive><NetApp>a</NetApp>"
                 "<UseOrvBrowser>0</UseOrvBrowser><XPos></XPos><YPos>5</YPos></root>",
                 With([](Settings& s) { s.NetLink = u"n", s.Printer = u"", s.Drive = u"d", s.NetApp = u"a",
                                        s.UseOrvBrowser = 0; })},
        ReadCase{"number out of range", "<root><Height>99999999999</Height><MinYPos>7</MinYPos></root>",
                 SampleSettings()},
        ReadCase{"a \"<\" in a value fails the whole read", "<root><NetLink>a<b</NetLink><Width>5</Width></root>",
                 SampleSettings()},
        ReadCase{"an \"&\" that starts no entity survives", "<root><NetLink>http://h/?a=1&b=2</NetLink></root>",
                 With([](Settings& s) { s.NetLink = u"http://h/?a=1&b=2"; })},
        ReadCase{"entities are decoded", "<root><NetLink>a&amp;b</NetLink></root>",
                 With([](Settings& s) { s.NetLink = u"a&b"; })},
        ReadCase{"not XML", "hello", SampleSettings()}, ReadCase{"empty", "", SampleSettings()},
        ReadCase{"the first element counts, not its name", "<a/><root><Width>5</Width></root>", SampleSettings()}));

class SettingsOnDiskTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_host = fs::temp_directory_path() / ("orv-settings-" + std::to_string(getpid()));
        fs::remove_all(m_host);
        fs::create_directories(m_host);
        SetModuleDirectoryForTesting(m_host);
    }
    void TearDown() override
    {
        SetModuleDirectoryForTesting("");
        fs::remove_all(m_host);
    }
    void WriteConfig(const std::string& bytes) { std::ofstream(m_host / "config.xml", std::ios::binary) << bytes; }
    std::string ReadConfig()
    {
        std::ifstream in(m_host / "config.xml", std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    fs::path m_host;
};

TEST_F(SettingsOnDiskTest, AFileOver1024BytesIsIgnoredAsAWhole)
{
    std::string head = "<root><Width>77</Width><NetLink>";
    std::string tail = "</NetLink></root>";
    WriteConfig(head + std::string(1024 - head.size() - tail.size(), 'x') + tail);
    OrvantaHandler handler;
    handler.LoadSettings();
    EXPECT_EQ(handler.settings().Width, 77);

    WriteConfig(head + std::string(1025 - head.size() - tail.size(), 'x') + tail);
    OrvantaHandler other;
    other.LoadSettings();
    EXPECT_EQ(other.settings(), Settings{});
}

TEST_F(SettingsOnDiskTest, AMissingFileLeavesTheDefaults)
{
    OrvantaHandler handler;
    handler.LoadSettings();
    EXPECT_EQ(handler.settings(), Settings{});
}

TEST_F(SettingsOnDiskTest, SetLoginAddressRewritesTheFileWhichReadsBackTheSame)
{
    OrvantaHandler handler;
    handler.settings() = SampleSettings();
    handler.SetLoginAddress(u"http://portal.example/\u4E2D?a=1&b=2");
    EXPECT_EQ(handler.ReadLoginAddressUtf8(), "http://portal.example/\xE4\xB8\xAD?a=1&b=2");
    EXPECT_EQ(ReadConfig(), SettingsFile::Write(handler.settings()));

    OrvantaHandler reread;
    reread.LoadSettings();
    EXPECT_EQ(reread.settings(), handler.settings());
    EXPECT_EQ(std::distance(fs::directory_iterator(m_host), fs::directory_iterator()), 1); // no temporary left
}

TEST_F(SettingsOnDiskTest, ALessThanSignInTheAddressMakesTheNextReadFail)
{
    OrvantaHandler handler;
    handler.settings().Printer = u"P";
    handler.SetLoginAddress(u"http://h/<x>");
    OrvantaHandler reread;
    reread.LoadSettings();
    EXPECT_EQ(reread.settings(), Settings{});
}

} // namespace
