#include "BrowserPageTest.h"

#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QTest>
#include <QWebEngineView>

#include <cstdlib>

namespace fs = std::filesystem;

namespace {

using WebHandlerInPageTest = BrowserPageTest;

bool AMenuIsShown()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<QMenu*>(w) != nullptr && w->isVisible())
            return true;
    return false;
}

void RightClick(QWebEngineView* view)
{
    QWidget* target = view->focusProxy() != nullptr ? view->focusProxy() : view;
    QPoint centre = target->rect().center();
    QTest::mousePress(target, Qt::RightButton, {}, centre);
    QTest::mouseRelease(target, Qt::RightButton, {}, centre);
}

TEST_F(WebHandlerInPageTest, RightClickingAPageOpensNoMenu)
{
    QWebEngineView* view = Browser(Url("/page/plain"));
    ASSERT_TRUE(WaitForUrl(view, Url("/page/plain")));
    RightClick(view);
    RunUntil(AMenuIsShown, 1500);
    EXPECT_FALSE(AMenuIsShown());

    // The same click on a view left as the engine makes it does open the menu: the click reached the page.
    QWebEngineView plain;
    plain.resize(400, 300);
    plain.show();
    ASSERT_TRUE(LoadAndWait(&plain, QUrl(Url("/page/plain"))));
    RightClick(&plain);
    EXPECT_TRUE(RunUntil(AMenuIsShown, 5000));
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<QMenu*>(w) != nullptr)
            w->close();
}

TEST_F(WebHandlerInPageTest, ASelfSignedSiteLoadsWithoutAskingAndMayUsePlainScripts)
{
    fs::path certificate = BrowserTestEnvironment::Get().scratch() / "site.crt";
    fs::path key = BrowserTestEnvironment::Get().scratch() / "site.key";
    std::string command = "openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj /CN=orvanta-test -keyout " +
                          key.string() + " -out " + certificate.string() + " >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    FixtureServer secure(certificate.string(), key.string());
    ASSERT_NE(secure.port(), 0);

    // The script comes from 0.0.0.0, which reaches the local server but, unlike 127.0.0.1, does not
    // count as a secure origin.
    QString script = QStringLiteral("http://0.0.0.0:%1/script/plain").arg(m_server.port());
    QString page = QString::fromStdString(secure.Url("/page/mixed?src=")) + script;
    QWebEngineView* view = Browser(page);
    ASSERT_TRUE(WaitForUrl(view, page));
    EXPECT_EQ(view->title(), QStringLiteral("mixed"));
    EXPECT_EQ(Evaluate(view->page(), QStringLiteral("window.scriptLoaded")).toString(), QStringLiteral("plain"));
}

struct FailureCase
{
    const char* name;
    const char* setting; // the portal address; PORT stands for a port nobody listens on
    const char* failing; // the address that fails to load
    bool failurePage;
};

void PrintTo(const FailureCase& c, std::ostream* os)
{
    *os << c.name;
}

class FailurePageTest : public BrowserPageTest, public testing::WithParamInterface<FailureCase>
{
protected:
    static std::string WithDeadPort(std::string text, int port)
    {
        size_t at = text.find("PORT");
        if (at != std::string::npos)
            text.replace(at, 4, std::to_string(port));
        return text;
    }
};

TEST_P(FailurePageTest, OnlyThePortalAddressFailingShowsTheFailurePage)
{
    // A port that was just free: nothing answers there.
    int deadPort = 0;
    {
        FixtureServer gone;
        deadPort = gone.port();
    }
    BrowserTestEnvironment::Get().SetPortalAddress(WithDeadPort(GetParam().setting, deadPort));
    QString failing = QString::fromStdString(WithDeadPort(GetParam().failing, deadPort));
    QWebEngineView* view = Browser(failing);
    if (GetParam().failurePage) {
        EXPECT_TRUE(WaitForUrl(view, QStringLiteral("kepnar://client/failed.html")));
    } else {
        RunUntil([&] { return view->url().toString() == QStringLiteral("kepnar://client/failed.html"); }, 3000);
        EXPECT_NE(view->url().toString(), QStringLiteral("kepnar://client/failed.html"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FailurePageTest,
    testing::Values(FailureCase{"SameAddress", "http://127.0.0.1:PORT/", "http://127.0.0.1:PORT/", true},
                    FailureCase{"SettingWithoutSlash", "http://127.0.0.1:PORT", "http://127.0.0.1:PORT/", true},
                    FailureCase{"PathWithSlashSettingWithout", "http://127.0.0.1:PORT/a", "http://127.0.0.1:PORT/a/",
                                true},
                    FailureCase{"SettingWithSlashPathWithout", "http://127.0.0.1:PORT/a/", "http://127.0.0.1:PORT/a",
                                true},
                    FailureCase{"ThroughTheSplashPage", "http://127.0.0.1:PORT", "kepnar://client/Splash.html", true},
                    FailureCase{"AnotherAddress", "http://127.0.0.1:PORT/portal", "http://127.0.0.1:PORT/other",
                                false}),
    [](const testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST_F(WebHandlerInPageTest, ADownloadIsOfferedInTheDocumentsFolderUnderItsOwnName)
{
    fs::path target = BrowserTestEnvironment::Get().scratch() / "saved" / "chosen.pdf";
    m_savePath = QString::fromStdString(target.string());
    QWebEngineView* view = Browser(Url("/page/download"));
    ASSERT_TRUE(WaitForUrl(view, Url("/page/download")));
    Evaluate(view->page(), QStringLiteral("document.getElementById('report').click()"));
    ASSERT_TRUE(RunUntil([&] { return !m_proposedSavePaths.empty(); }));
    QString documents = QString::fromStdString((fs::path(std::getenv("HOME")) / "Documents" / "report.pdf").string());
    EXPECT_EQ(m_proposedSavePaths.front(), documents);
    EXPECT_TRUE(RunUntil([&] {
        QFile file(m_savePath);
        return file.open(QIODevice::ReadOnly) && file.readAll() == "content of report.pdf";
    }));
}

TEST_F(WebHandlerInPageTest, ADownloadTheUserDeclinesIsNotSaved)
{
    m_savePath.clear();
    QWebEngineView* view = Browser(Url("/page/download"));
    ASSERT_TRUE(WaitForUrl(view, Url("/page/download")));
    Evaluate(view->page(), QStringLiteral("document.getElementById('report').click()"));
    ASSERT_TRUE(RunUntil([&] { return !m_proposedSavePaths.empty(); }));
    RunUntil([] { return false; }, 500);
    EXPECT_FALSE(fs::exists(fs::path(std::getenv("HOME")) / "Documents" / "report.pdf"));
    EXPECT_EQ(view->url().toString(), Url("/page/download")); // the page stays
}

QWebEngineView* PopupTitled(const QString& title)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* view = qobject_cast<QWebEngineView*>(w); view != nullptr && view->isVisible() && view->title() == title)
            return view;
    return nullptr;
}

TEST_F(WebHandlerInPageTest, APopupOpensInItsOwnWindowWithTheSameBehaviour)
{
    QWebEngineView* view = Browser(Url("/page/plain"));
    ASSERT_TRUE(WaitForUrl(view, Url("/page/plain")));
    Evaluate(view->page(), QStringLiteral("window.open('/page/popup', '_blank', 'width=300,height=200'); 1"));
    ASSERT_TRUE(RunUntil([] { return PopupTitled(QStringLiteral("popup")) != nullptr; }));
    QWebEngineView* popup = PopupTitled(QStringLiteral("popup"));
    EXPECT_NE(popup, view);
    EXPECT_EQ(Evaluate(popup->page(), QStringLiteral("JsQueryEnv()")).toString(), QStringLiteral("Embed"));
    EXPECT_EQ(popup->contextMenuPolicy(), Qt::NoContextMenu);
    EXPECT_EQ(Handler().GetBrowser(), view); // the main browser stays the one the window holds

    QPointer<QWebEngineView> watched(popup);
    Evaluate(popup->page(), QStringLiteral("window.close()"));
    EXPECT_TRUE(RunUntil([&] { return watched.isNull(); }));
}

} // namespace
