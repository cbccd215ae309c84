#include "browser/PageFunctions.h"
#include "browser/WebHandler.h"

#include <gtest/gtest.h>

namespace {

TEST(PageMessageTest, OnlyLinesWithThisRunsTokenAreMessages)
{
    const std::string token = "0a1b";
    const std::string mark = "\x01orvanta-message:";
    struct Case
    {
        std::string line;
        std::optional<std::string> name;
    };
    for (const Case& c : {
             Case{mark + "0a1b:jsMinBrowser", "jsMinBrowser"},
             Case{mark + "0a1b:", ""},
             Case{mark + "ffff:jsMinBrowser", std::nullopt},
             Case{"jsMinBrowser", std::nullopt},
             Case{"orvanta-message:0a1b:jsMinBrowser", std::nullopt},
         }) {
        EXPECT_EQ(PageFunctions::MessageName(c.line, token), c.name) << c.line;
    }
    EXPECT_EQ(PageFunctions::MessageName(mark + ":jsMinBrowser", ""), std::nullopt); // no token, no messages
}

TEST(PageMessageTest, EveryRunHasItsOwnToken)
{
    EXPECT_NE(PageFunctions::NewMessageToken(), PageFunctions::NewMessageToken());
    EXPECT_EQ(PageFunctions::NewMessageToken().size(), 32u);
}

TEST(WebHandlerRulesTest, OnlyTheExactMinimiseMessageIsHandled)
{
    int minimised = 0;
    WebHandler::Environment environment;
    environment.minimiseMainWindow = [&] { ++minimised; };
    WebHandler handler(std::move(environment));
    struct Case
    {
        const char* name;
        bool handled;
    };
    for (const Case& c : {Case{"jsMinBrowser", true}, Case{"jsminbrowser", false}, Case{"JsMinBrowser", false},
                          Case{"jsMinBrowserX", false}, Case{"jsMinBrowse", false}, Case{"", false}}) {
        int before = minimised;
        EXPECT_EQ(handler.OnProcessMessageReceived(c.name), c.handled) << c.name;
        EXPECT_EQ(minimised - before, c.handled ? 1 : 0) << c.name;
    }
}

TEST(WebHandlerRulesTest, WithoutAnEngineNoBrowserIsMade)
{
    WebHandler handler(WebHandler::Environment{});
    QWidget* noHost = nullptr;
    EXPECT_EQ(handler.CreateBrowser(noHost, QStringLiteral("kepnar://client/Splash.html")), nullptr);
    EXPECT_EQ(handler.GetBrowser(), nullptr);
}

TEST(WebHandlerRulesTest, ADownloadStartsInTheDocumentsFolderOrAsTheBareName)
{
    EXPECT_EQ(WebHandler::DownloadPath(QStringLiteral("/home/ann/Documents"), QStringLiteral("report.pdf")),
              QStringLiteral("/home/ann/Documents/report.pdf"));
    EXPECT_EQ(WebHandler::DownloadPath(QString(), QStringLiteral("report.pdf")), QStringLiteral("report.pdf"));
}

} // namespace
