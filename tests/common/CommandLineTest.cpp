#include "common/CommandLine.h"

#include <gtest/gtest.h>

namespace {

struct SplitCase
{
    const char* line;
    std::vector<std::string> arguments;
};

void PrintTo(const SplitCase& c, std::ostream* os)
{
    *os << c.line;
}

class SplitCommandLineTest : public testing::TestWithParam<SplitCase>
{
};

TEST_P(SplitCommandLineTest, FollowsTheWindowsRules)
{
    EXPECT_EQ(SplitCommandLine(GetParam().line), GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitCommandLineTest,
    testing::Values(
        SplitCase{R"("/opt/my host/OrvantaClient"  /u:ann /p:pw)", {"/opt/my host/OrvantaClient", "/u:ann", "/p:pw"}},
        SplitCase{R"(prog a "b c" d)", {"prog", "a", "b c", "d"}},
        // the program name ends at the next quote; backslashes there are plain characters
        SplitCase{R"("C:\dir\"x y)", {"C:\\dir\\", "x", "y"}},
        SplitCase{R"(p /t:"Orvanta Client #3")", {"p", "/t:Orvanta Client #3"}},
        // a blank in a user name makes two elements
        SplitCase{R"(p /u:ann smith /p:x)", {"p", "/u:ann", "smith", "/p:x"}},
        // the /shell: form: a backslash-quote pair is a literal quote and groups nothing
        SplitCase{R"(p /shell:\"C:\apps\notepad.exe\")", {"p", R"(/shell:"C:\apps\notepad.exe")"}},
        SplitCase{R"(p /shell:\"C:\my apps\x.exe\")", {"p", R"(/shell:"C:\my)", R"(apps\x.exe")"}},
        // 2n backslashes before a quote: n backslashes, the quote groups; 2n+1: n and a literal quote
        SplitCase{R"(p a\\"b c" d)", {"p", R"(a\b c)", "d"}},
        SplitCase{R"(p a\\\"b c)", {"p", R"(a\"b)", "c"}},
        SplitCase{R"(p a\\b)", {"p", R"(a\\b)"}},
        // empty arguments come from quotes only
        SplitCase{R"(p "" x)", {"p", "", "x"}}, SplitCase{"p  a  ", {"p", "a"}},
        // "" inside quotes is a literal quote and ends the quoted part
        SplitCase{R"(p "a""b c")", {"p", "a\"b", "c"}},
        SplitCase{"p\ta\tb", {"p", "a", "b"}}, SplitCase{"", {""}}, SplitCase{R"("unterminated)", {"unterminated"}}));

struct ExpandCase
{
    const char* text;
    const char* expanded;
};

void PrintTo(const ExpandCase& c, std::ostream* os)
{
    *os << c.text;
}

class ExpandEnvironmentTest : public testing::TestWithParam<ExpandCase>
{
};

TEST_P(ExpandEnvironmentTest, ReplacesSetVariablesOnly)
{
    EnvironmentLookup lookup = [](const std::string& name) -> std::optional<std::string> {
        if (name == "HOME")
            return std::string("/home/ann");
        if (name == "EMPTY")
            return std::string();
        return std::nullopt;
    };
    EXPECT_EQ(ExpandEnvironmentReferences(GetParam().text, lookup), GetParam().expanded);
}

INSTANTIATE_TEST_SUITE_P(Cases, ExpandEnvironmentTest,
                         testing::Values(ExpandCase{"%HOME%/bin", "/home/ann/bin"},
                                         ExpandCase{"a%EMPTY%b", "ab"},
                                         ExpandCase{"%UNSET%/x", "%UNSET%/x"},
                                         ExpandCase{"%UNSET%HOME%", "%UNSET/home/ann"},
                                         ExpandCase{"100% sure", "100% sure"}, ExpandCase{"%%", "%%"},
                                         ExpandCase{"%HOME", "%HOME"}, ExpandCase{"%home%", "%home%"}));

TEST(ExpandEnvironmentTest, ExpandsALongValueWithoutLimit)
{
    std::string value(5000, 'v');
    EnvironmentLookup lookup = [&](const std::string&) -> std::optional<std::string> { return value; };
    EXPECT_EQ(ExpandEnvironmentReferences("[%LONG%]", lookup), "[" + value + "]");
}

} // namespace
