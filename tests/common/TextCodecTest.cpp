#include "common/TextCodec.h"

#include <gtest/gtest.h>

namespace {

// Chooses the 8-bit character set for one test and restores the locale's afterwards.
class CharsetScope
{
public:
    explicit CharsetScope(const std::string& name) { TextCodec::SetAnsiCharset(name); }
    ~CharsetScope() { TextCodec::SetAnsiCharset(""); }
};

const char kZhongUtf8[] = "\xE4\xB8\xAD"; // 中
const char kZhongGbk[] = "\xD6\xD0";

struct AnsiCase
{
    const char* charset;
    std::string utf8;
    std::string ansi;
};

void PrintTo(const AnsiCase& c, std::ostream* os)
{
    *os << std::string(c.charset) + " " + testing::PrintToString(c.utf8);
}

class Utf8ToAnsiTest : public testing::TestWithParam<AnsiCase>
{
};

TEST_P(Utf8ToAnsiTest, ConvertsIntoTheChosenCharset)
{
    CharsetScope scope(GetParam().charset);
    EXPECT_EQ(TextCodec::Utf8ToAnsi(GetParam().utf8), GetParam().ansi);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf8ToAnsiTest,
    testing::Values(AnsiCase{"GBK", kZhongUtf8, kZhongGbk}, AnsiCase{"GBK", "a b", "a b"},
                    // a character GBK cannot hold becomes the default replacement '?'
                    AnsiCase{"GBK", "x\xF0\x9F\x98\x80y", "x?y"},
                    // invalid UTF-8 becomes U+FFFD, which GBK cannot hold either
                    AnsiCase{"GBK", "a\xFF" "b", "a?b"}, AnsiCase{"UTF-8", kZhongUtf8, kZhongUtf8},
                    AnsiCase{"UTF-8", "a\xFF" "b", "a\xEF\xBF\xBD" "b"},
                    AnsiCase{"UTF-8", "\xE4\xB8", "\xEF\xBF\xBD"},
                    AnsiCase{"ISO-8859-1", "\xC3\xA9", "\xE9"}));

TEST(TextCodecTest, GbkComesBackAsUtf8AndUtf16)
{
    CharsetScope scope("GBK");
    EXPECT_EQ(TextCodec::AnsiToUtf8(kZhongGbk), kZhongUtf8);
    EXPECT_EQ(TextCodec::AnsiToUtf16(kZhongGbk), u"\u4E2D");
    EXPECT_EQ(TextCodec::Utf16ToAnsi(u"\u4E2Dx"), std::string(kZhongGbk) + "x");
    // A lead byte without its trail byte cannot be decoded.
    EXPECT_EQ(TextCodec::AnsiToUtf16("\xD6"), u"\uFFFD");
}

TEST(TextCodecTest, Utf16HandlesSurrogates)
{
    EXPECT_EQ(TextCodec::Utf16ToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(TextCodec::Utf8ToUtf16("\xF0\x9F\x98\x80"), u"\U0001F600");
    std::u16string lone(1, static_cast<char16_t>(0xD800));
    EXPECT_EQ(TextCodec::Utf16ToUtf8(lone + u"a"), "\xEF\xBF\xBD" "a");
    // Overlong forms and encoded surrogates are not valid UTF-8.
    EXPECT_EQ(TextCodec::Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");
    EXPECT_EQ(TextCodec::Utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");
}

} // namespace
