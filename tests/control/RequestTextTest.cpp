#include "control/HttpReply.h"
#include "control/RequestText.h"
#include "common/TextCodec.h"

#include <gtest/gtest.h>

namespace {

struct DecodeCase
{
    const char* charset;
    const char* text;
    std::string decoded;
};

void PrintTo(const DecodeCase& c, std::ostream* os)
{
    *os << std::string(c.charset) + " " + c.text;
}

class DecodeRequestTextTest : public testing::TestWithParam<DecodeCase>
{
protected:
    void TearDown() override { TextCodec::SetAnsiCharset(""); }
};

TEST_P(DecodeRequestTextTest, DecodesIntoTheProgramsCharset)
{
    TextCodec::SetAnsiCharset(GetParam().charset);
    EXPECT_EQ(DecodeRequestText(GetParam().text), GetParam().decoded);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DecodeRequestTextTest,
    testing::Values(DecodeCase{"GBK", "name=%E4%B8%AD", "name=\xD6\xD0"},
                    DecodeCase{"UTF-8", "name=%e4%b8%ad", "name=\xE4\xB8\xAD"},
                    DecodeCase{"GBK", "a+b%2Bc", "a b+c"},
                    DecodeCase{"UTF-8", "x=1*?*y=%41", "x=1*?*y=A"},
                    // a bad escape empties the whole part
                    DecodeCase{"UTF-8", "a=1%4", ""}, DecodeCase{"UTF-8", "a=%", ""},
                    DecodeCase{"UTF-8", "%zz", ""}, DecodeCase{"UTF-8", "%4x=1", ""},
                    DecodeCase{"UTF-8", "%41", "A"}, DecodeCase{"UTF-8", "", ""},
                    // decoded bytes that are not UTF-8 come out as the replacement character
                    DecodeCase{"UTF-8", "%FF", "\xEF\xBF\xBD"}, DecodeCase{"GBK", "%FF", "?"},
                    DecodeCase{"UTF-8", "%00a", std::string("\0a", 2)}));

TEST(SplitTargetTest, SplitsAtTheFirstQuestionMark)
{
    auto parts = SplitTarget("/app_state?srv1*?*x");
    EXPECT_EQ(parts.path, "/app_state");
    EXPECT_EQ(parts.query, "srv1*?*x");
    parts = SplitTarget("/init");
    EXPECT_EQ(parts.path, "/init");
    EXPECT_EQ(parts.query, "");
}

TEST(BuildReplyTest, WritesTheExactBytes)
{
    EXPECT_EQ(BuildReply(405, "FAILED"), "HTTP/1.1 405 OK\r\n"
                                         "Server: Mongoose/6.7\r\n"
                                         "Access-Control-Allow-Origin:*\r\n"
                                         "Access-Control-Allow-Methods:GET,POST\r\n"
                                         "Content-Type:text/plain\r\n"
                                         "Content-Length: 6\r\n"
                                         "\r\n"
                                         "FAILED");
}

} // namespace
