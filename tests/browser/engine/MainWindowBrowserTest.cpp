#include "BrowserTestEnvironment.h"
#include "app/OrvantaDlg.h"
#include "app/OrvantaHandler.h"
#include "browser/CXEditPrompt.h"
#include "browser/NetworkDlg.h"
#include "browser/WebHandler.h"
#include "common/HostFolder.h"
#include "fixtures/FixtureServer.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// The main window with the test's engine, in a host folder of its own.
class MainWindowBrowserTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(m_server.port(), 0);
        m_hostFolder = BrowserTestEnvironment::Get().scratch() / "host";
        fs::create_directories(m_hostFolder);
        SetModuleDirectoryForTesting(m_hostFolder.string());
        fs::remove(m_hostFolder / "config.xml");
        BrowserTestEnvironment::Get().SetPortalAddressSource([this] { return m_handler.ReadLoginAddressUtf8(); });
    }

    void TearDown() override
    {
        m_window.reset();
        BrowserTestEnvironment::Get().SetPortalAddress("");
        SetModuleDirectoryForTesting("");
    }

    OrvantaDlg& Window()
    {
        if (!m_window)
            m_window = std::make_unique<OrvantaDlg>(m_handler);
        return *m_window;
    }

    // Whenever the login-address dialog is up, `act` gets it (once).
    void WhenTheDialogShows(std::function<void(NetworkDlg&)> act)
    {
        auto* timer = new QTimer(&Window());
        QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
            auto* dialog = qobject_cast<NetworkDlg*>(QApplication::activeModalWidget());
            if (dialog == nullptr || !dialog->isVisible())
                return;
            timer->stop();
            timer->deleteLater();
            act(*dialog);
        });
        timer->start(50);
    }

    std::string StoredFile() const
    {
        std::ifstream in(m_hostFolder / "config.xml", std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }

    FixtureServer m_server;
    fs::path m_hostFolder;
    OrvantaHandler m_handler;
    std::unique_ptr<OrvantaDlg> m_window;
};

TEST_F(MainWindowBrowserTest, WithoutAnAddressTheDialogComesFirstAndCancelLeavesTheFailurePage)
{
    QString caption;
    bool browserExisted = true;
    WhenTheDialogShows([&](NetworkDlg& dialog) {
        caption = dialog.windowTitle();
        browserExisted = Window().Browser() != nullptr;
        dialog.reject();
    });
    Window().InitBrowser(BrowserTestEnvironment::Get().engine());
    EXPECT_EQ(caption, QStringLiteral("Orvanta沙盒登录地址"));
    EXPECT_FALSE(browserExisted);
    ASSERT_NE(Window().Browser(), nullptr);
    Window().show();
    EXPECT_TRUE(WaitForUrl(Window().Browser()->GetBrowser(), QStringLiteral("kepnar://client/failed.html")));
    EXPECT_EQ(m_handler.ReadLoginAddressUtf8(), "");
}

TEST_F(MainWindowBrowserTest, TheTrayItemTakesATestedAddressAndReloadsTheSplashPage)
{
    std::string first = m_server.Url("/page/plain");
    m_handler.SetLoginAddress(std::u16string(first.begin(), first.end()));
    bool dialogShown = false;
    WhenTheDialogShows([&](NetworkDlg&) { dialogShown = true; });
    Window().InitBrowser(BrowserTestEnvironment::Get().engine());
    Window().show();
    QWebEngineView* browser = Window().Browser()->GetBrowser();
    ASSERT_TRUE(WaitForUrl(browser, QString::fromStdString(first)));
    EXPECT_FALSE(dialogShown); // an address was there: no dialog at start

    QAction* item = nullptr;
    for (QAction* action : Window().TrayMenu()->actions())
        if (action->text() == QStringLiteral("登录网址设置"))
            item = action;
    ASSERT_NE(item, nullptr);
    ASSERT_TRUE(item->isEnabled());

    // A bare host: https is tried first and fails (the server speaks plain HTTP), then http passes.
    std::string bare = "127.0.0.1:" + std::to_string(m_server.port()) + "/portal";
    QString prefilled;
    WhenTheDialogShows([&](NetworkDlg& dialog) {
        auto* edit = dialog.findChild<CXEditPrompt*>();
        prefilled = edit->WindowText();
        edit->SetWindowText(QString::fromStdString(bare));
        dialog.findChild<QPushButton*>()->click();
    });
    item->trigger();
    EXPECT_EQ(prefilled, QString::fromStdString(first));
    EXPECT_EQ(m_handler.ReadLoginAddressUtf8(), "http://" + bare);
    EXPECT_NE(StoredFile().find("<NetLink>http://" + bare + "</NetLink>"), std::string::npos);
    EXPECT_TRUE(WaitForUrl(browser, QString::fromStdString("http://" + bare)));
    EXPECT_EQ(Window().Browser()->GetBrowser(), browser); // the same browser, reloaded
}

} // namespace
