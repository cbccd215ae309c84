#include "BrowserPageTest.h"

#include <QWebEngineView>

namespace {

using BuiltInPagesTest = BrowserPageTest;

TEST_F(BuiltInPagesTest, TheSplashPageForwardsToThePortal)
{
    QWebEngineView* view = Browser(QStringLiteral("kepnar://client/Splash.html"));
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(WaitForUrl(view, Url("/page/plain")));
    EXPECT_EQ(view->title(), QStringLiteral("plain"));
    EXPECT_EQ(view->geometry(), m_host->rect()); // the browser covers its host
}

struct PageCase
{
    const char* url;
    bool loads;
    const char* contentType;
};

void PrintTo(const PageCase& c, std::ostream* os)
{
    *os << c.url;
}

class BuiltInPageCaseTest : public BrowserPageTest, public testing::WithParamInterface<PageCase>
{
};

TEST_P(BuiltInPageCaseTest, ServesTheKnownPagesAndRefusesOthers)
{
    QWebEngineView* view = Browser(QStringLiteral("about:blank"));
    ASSERT_TRUE(WaitForUrl(view, QStringLiteral("about:blank")));
    EXPECT_EQ(LoadAndWait(view, QUrl(QString::fromLatin1(GetParam().url))), GetParam().loads);
    if (GetParam().loads) {
        EXPECT_EQ(Evaluate(view->page(), QStringLiteral("document.contentType")).toString(),
                  QString::fromLatin1(GetParam().contentType));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, BuiltInPageCaseTest,
                         testing::Values(PageCase{"kepnar://client/failed.html", true, "text/html"},
                                         PageCase{"kepnar://client/loading.gif", true, "image/gif"},
                                         PageCase{"kepnar://client/other.html", false, nullptr}));

TEST_F(BuiltInPagesTest, TheFailurePageSaysWhatFailed)
{
    QWebEngineView* view = Browser(QStringLiteral("kepnar://client/failed.html"));
    ASSERT_TRUE(WaitForUrl(view, QStringLiteral("kepnar://client/failed.html")));
    EXPECT_EQ(Evaluate(view->page(), QStringLiteral("document.body.innerText")).toString(),
              QStringLiteral("打开Orvanta主页失败\n请确认网络地址配置正确!"));
}

TEST_F(BuiltInPagesTest, TheAnimationIsA128PixelImage)
{
    QWebEngineView* view = Browser(QStringLiteral("kepnar://client/loading.gif"));
    ASSERT_TRUE(WaitForUrl(view, QStringLiteral("kepnar://client/loading.gif")));
    EXPECT_EQ(Evaluate(view->page(), QStringLiteral("document.images[0].naturalWidth + 'x' + "
                                                    "document.images[0].naturalHeight"))
                  .toString(),
              QStringLiteral("128x128"));
}

} // namespace
