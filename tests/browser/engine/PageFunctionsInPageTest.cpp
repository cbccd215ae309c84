#include "BrowserPageTest.h"

#include "browser/PageFunctions.h"

#include <QWebEngineView>

namespace {

class PageFunctionsInPageTest : public BrowserPageTest
{
protected:
    // The page with an iframe, once both have loaded; nothing when they did not.
    QWebEngineView* FramesPage()
    {
        QWebEngineView* view = Browser(Url("/page/frames"));
        bool loaded = WaitForUrl(view, Url("/page/frames")) && RunUntil([&] {
            return Evaluate(view->page(), QStringLiteral("frames.length && frames[0].document.readyState")).toString() ==
                   QStringLiteral("complete");
        });
        return loaded ? view : nullptr;
    }
};

// For each of the fifteen names in `frame`: "function" when it is a plain function property of the
// window (writable, enumerable, deletable), else what it is.
QString DescribeFunctions(const QString& frame)
{
    QString names;
    for (const char* name : PageFunctions::kNames)
        names += QStringLiteral("'%1',").arg(QString::fromLatin1(name));
    return QStringLiteral("(function (w) { return [%1].map(function (n) {"
                          "  var d = Object.getOwnPropertyDescriptor(w, n);"
                          "  if (!d) return n + ':missing';"
                          "  return typeof d.value === 'function' && d.writable && d.enumerable && d.configurable"
                          "    ? 'function' : n + ':odd'; }).join(','); })(%2)")
        .arg(names, frame);
}

QString FifteenFunctions()
{
    QStringList all;
    for (int i = 0; i < 15; ++i)
        all << QStringLiteral("function");
    return all.join(QLatin1Char(','));
}

TEST_F(PageFunctionsInPageTest, EveryFrameHasTheFifteenFunctions)
{
    QWebEngineView* view = FramesPage();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(Evaluate(view->page(), DescribeFunctions(QStringLiteral("window"))).toString(), FifteenFunctions());
    EXPECT_EQ(Evaluate(view->page(), DescribeFunctions(QStringLiteral("frames[0]"))).toString(), FifteenFunctions());
}

TEST_F(PageFunctionsInPageTest, OnlyJsQueryEnvAnswersWhateverTheArguments)
{
    QWebEngineView* view = Browser(Url("/page/plain"));
    ASSERT_TRUE(WaitForUrl(view, Url("/page/plain")));
    EXPECT_EQ(Evaluate(view->page(), QStringLiteral("JsQueryEnv()")).toString(), QStringLiteral("Embed"));
    EXPECT_EQ(Evaluate(view->page(), QStringLiteral("JsQueryEnv(1, 2, 3)")).toString(), QStringLiteral("Embed"));
    EXPECT_EQ(Evaluate(view->page(), QStringLiteral("frames.length")).toInt(), 0);
    QString others = QStringLiteral(
        "[JsOpenUsbRlf(), JsCloseUsbRlf(1), JsSetClipboard('x'), JsGetClipboard(), JsUseUsb(), JsUsePrinter(),"
        " JsCreateShareDisk({}), JsQuitLogin(), JsGetVersion(), JsOpenApp('a', 'b', 3), JsOpenAppDirect(),"
        " JsOpenVPN(null), JsOpenExplorer()].every(function (r) { return r === undefined; })");
    EXPECT_TRUE(Evaluate(view->page(), others).toBool());
    EXPECT_EQ(m_minimised, 0);
}

TEST_F(PageFunctionsInPageTest, APagesOwnJsQueryEnvLastsUntilTheNextNavigation)
{
    QWebEngineView* view = Browser(Url("/page/own-env"));
    ASSERT_TRUE(WaitForUrl(view, Url("/page/own-env")));
    EXPECT_EQ(Evaluate(view->page(), QStringLiteral("JsQueryEnv()")).toString(), QStringLiteral("mine"));
    EXPECT_TRUE(Evaluate(view->page(), QStringLiteral("delete window.JsOpenApp && typeof JsOpenApp")).toString() ==
                QStringLiteral("undefined"));

    ASSERT_TRUE(LoadAndWait(view, QUrl(Url("/page/plain"))));
    EXPECT_EQ(Evaluate(view->page(), QStringLiteral("JsQueryEnv()")).toString(), QStringLiteral("Embed"));
    EXPECT_EQ(Evaluate(view->page(), QStringLiteral("typeof JsOpenApp")).toString(), QStringLiteral("function"));
}

TEST_F(PageFunctionsInPageTest, JsMinBrowserMinimisesTheMainWindowFromAnyFrame)
{
    QWebEngineView* view = FramesPage();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(Evaluate(view->page(), QStringLiteral("jsMinBrowser() === undefined")).toBool());
    EXPECT_TRUE(RunUntil([&] { return m_minimised == 1; }));
    Evaluate(view->page(), QStringLiteral("frames[0].jsMinBrowser()"));
    EXPECT_TRUE(RunUntil([&] { return m_minimised == 2; }));

    // Console lines that only look like the message do nothing, even with a replaced console.
    Evaluate(view->page(), QStringLiteral("console.debug('jsMinBrowser'); console.debug = function () {};"
                                          "console.log('\\u0001orvanta-message:0:jsMinBrowser'); jsMinBrowser();"));
    EXPECT_TRUE(RunUntil([&] { return m_minimised == 3; }));
    RunUntil([] { return false; }, 300);
    EXPECT_EQ(m_minimised, 3);
}

} // namespace
