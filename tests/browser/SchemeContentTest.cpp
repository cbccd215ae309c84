#include "browser/SchemeContent.h"

#include <QImageReader>
#include <QBuffer>
#include <gtest/gtest.h>

namespace {

const std::string kGif = "GIF89a-bytes";

TEST(SchemeContentTest, TheSplashPageForwardsToThePortalAddress)
{
    const std::string address = "https://portal.example/\xE4\xB8\xAD?a=1&b=\"2\"";
    auto page = SchemeContent::PageFor("kepnar://client/Splash.html", address, kGif);
    ASSERT_TRUE(page.has_value());
    EXPECT_EQ(page->mimeType, "text/html");
    EXPECT_EQ(page->body.size(), 346 + address.size() + 2 + 26);
    EXPECT_TRUE(page->body.ends_with(address + "\"></div></div></body></html>"));
    EXPECT_TRUE(page->body.starts_with("<html><head><title>loading</title></head>"));
}

TEST(SchemeContentTest, TheFailurePageIs393Bytes)
{
    auto page = SchemeContent::PageFor("kepnar://client/failed.html", "x", kGif);
    ASSERT_TRUE(page.has_value());
    EXPECT_EQ(page->body.size(), 393u);
    EXPECT_TRUE(page->body.starts_with("<head>"));
}

struct UrlCase
{
    const char* url;
    const char* mimeType; // nullptr: refused
    std::string animation;
};

void PrintTo(const UrlCase& c, std::ostream* os)
{
    *os << c.url;
}

class SchemeUrlTest : public testing::TestWithParam<UrlCase>
{
};

TEST_P(SchemeUrlTest, DecidesBySubstringsInOrder)
{
    auto page = SchemeContent::PageFor(GetParam().url, "addr", GetParam().animation);
    if (GetParam().mimeType == nullptr) {
        EXPECT_FALSE(page.has_value());
    } else {
        ASSERT_TRUE(page.has_value());
        EXPECT_EQ(page->mimeType, GetParam().mimeType);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SchemeUrlTest,
    testing::Values(UrlCase{"kepnar://client/Splash.html?x", "text/html", kGif},
                    UrlCase{"kepnar://client/failed.html#Splash.html", "text/html", kGif},
                    UrlCase{"kepnar://client/loading.gif", "image/gif", kGif},
                    UrlCase{"kepnar://client/loading.gif", nullptr, ""},
                    UrlCase{"kepnar://client/splash.html", nullptr, kGif},
                    UrlCase{"kepnar://client/other.html", nullptr, kGif}));

TEST(SchemeContentTest, TheSplashPageWinsOverTheFailurePage)
{
    auto page = SchemeContent::PageFor("kepnar://client/failed.html?Splash.html", "a", kGif);
    ASSERT_TRUE(page.has_value());
    EXPECT_TRUE(page->body.starts_with("<html>"));
}

TEST(SchemeContentTest, TheReaderHandsOutConsecutiveParts)
{
    SchemeContent::Reader reader("0123456789");
    char buffer[4];
    size_t n = 0;
    std::string collected;
    while (reader.Read(buffer, sizeof buffer, n))
        collected.append(buffer, n);
    EXPECT_EQ(collected, "0123456789");
    EXPECT_EQ(n, 0u);
    EXPECT_FALSE(reader.Read(buffer, sizeof buffer, n));
}

TEST(SchemeContentTest, TheLoadingAnimationIsA128PixelGifOf12Frames)
{
    std::string gif = SchemeContent::LoadingAnimation();
    ASSERT_TRUE(gif.starts_with("GIF89a"));
    QByteArray bytes(gif.data(), static_cast<qsizetype>(gif.size()));
    QBuffer device(&bytes);
    QImageReader reader(&device, "gif");
    EXPECT_EQ(reader.size(), QSize(128, 128));
    EXPECT_EQ(reader.imageCount(), 12);
}

} // namespace
