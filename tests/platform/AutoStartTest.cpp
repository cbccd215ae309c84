#include "platform/AutoStart.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

TEST(AutoStartTest, ExecQuotesTheProgramPathAndEscapesForTheDesktopEntry)
{
    EXPECT_EQ(platform::AutoStartEntry("/opt/orvanta/OrvantaRemote", "1"),
              "[Desktop Entry]\nType=Application\nName=Orvanta\nExec=\"/opt/orvanta/OrvantaRemote\" 1\n"
              "Terminal=false\nX-GNOME-Autostart-enabled=true\n");
    std::string entry = platform::AutoStartEntry("/opt/a $b\"c\\d/OrvantaRemote", "1");
    EXPECT_NE(entry.find("Exec=\"/opt/a \\\\$b\\\\\"c\\\\\\\\d/OrvantaRemote\" 1\n"), std::string::npos) << entry;
}

TEST(AutoStartTest, TheEntryIsWrittenAgainAfterTheUserRemovedIt)
{
    fs::path config = fs::temp_directory_path() / ("orv-autostart-" + std::to_string(getpid()));
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    fs::path entry = config / "autostart" / "orvanta.desktop";
    EXPECT_EQ(platform::AutoStartPath("orvanta"), entry.string());
    for (int start = 0; start < 2; ++start) {
        ASSERT_TRUE(platform::RegisterAutoStart("orvanta", "/opt/orvanta/OrvantaRemote", "1"));
        std::ifstream in(entry);
        std::stringstream text;
        text << in.rdbuf();
        EXPECT_EQ(text.str(), platform::AutoStartEntry("/opt/orvanta/OrvantaRemote", "1"));
        fs::remove(entry); // the user takes it away; the next start puts it back
    }
    unsetenv("XDG_CONFIG_HOME");
    fs::remove_all(config);
}

} // namespace
