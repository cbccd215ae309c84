#include "common/ArgumentList.h"

#include <gtest/gtest.h>

namespace {

struct SplitCase
{
    const char* text;
    std::vector<std::string> fields;
};

void PrintTo(const SplitCase& c, std::ostream* os)
{
    *os << c.text;
}

class SplitFieldsTest : public testing::TestWithParam<SplitCase>
{
};

TEST_P(SplitFieldsTest, SplitsOnEverySeparator)
{
    EXPECT_EQ(SplitFields(GetParam().text), GetParam().fields);
}

INSTANTIATE_TEST_SUITE_P(Cases, SplitFieldsTest,
                         testing::Values(SplitCase{"a*?*b", {"a", "b"}}, SplitCase{"a*?*", {"a"}},
                                         SplitCase{"*?*b", {"", "b"}}, SplitCase{"", {}},
                                         SplitCase{"a*?**?*b", {"a", "", "b"}}, SplitCase{"*?*", {""}},
                                         SplitCase{"a*?b", {"a*?b"}}, SplitCase{"a**?*?*b", {"a*", "?*b"}}));

struct ParseCase
{
    const char* text;
    ArgumentMap arguments;
};

void PrintTo(const ParseCase& c, std::ostream* os)
{
    *os << c.text;
}

class ParseArgumentsTest : public testing::TestWithParam<ParseCase>
{
};

TEST_P(ParseArgumentsTest, BuildsTheMap)
{
    EXPECT_EQ(ParseArguments(GetParam().text), GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseArgumentsTest,
    testing::Values(ParseCase{"user=a*?*user=b", {{"user", "b"}}},  // a later duplicate wins
                    ParseCase{"user=a=b", {{"user", "a=b"}}},       // the first "=" splits
                    ParseCase{"=x", {{"", "x"}}},                    // the empty key is a key
                    ParseCase{"novalue*?*k=", {{"k", ""}}},          // no "=": ignored; empty value kept
                    ParseCase{"", {}}, ParseCase{"*?**?*", {}},
                    ParseCase{"b=2*?*a=1", {{"a", "1"}, {"b", "2"}}}));

TEST(FirstValueTest, IsTheValueUnderTheSmallestKey)
{
    EXPECT_EQ(FirstValue(ParseArguments("x=1*?*a=page")), "page");
    EXPECT_EQ(FirstValue(ParseArguments("Z=upper*?*a=lower")), "upper"); // byte order: 'Z' < 'a'
    EXPECT_EQ(FirstValue(ParseArguments("no pairs here")), std::nullopt);
}

} // namespace
