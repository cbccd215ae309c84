#include "browser/EngineSwitches.h"

#include <gtest/gtest.h>

namespace {

const std::string kFour = "--disable-gpu --disable-gpu-compositing --no-proxy-server --allow-running-insecure-content";

TEST(EngineSwitchesTest, TheFourSwitchesFollowWhatIsAlreadyAskedForInTheirOrder)
{
    struct Case
    {
        std::string existing;
        std::string flags;
    };
    for (const Case& c : {Case{"", kFour}, Case{"--lang=de", "--lang=de " + kFour},
                          Case{"--lang=de ", "--lang=de " + kFour}}) {
        EXPECT_EQ(EngineSwitches::AppendedTo(c.existing), c.flags) << c.existing;
    }
}

} // namespace
