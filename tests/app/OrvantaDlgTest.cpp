#include "app/CommandRelay.h"
#include "app/MainButton.h"
#include "app/OrvantaDlg.h"
#include "app/OrvantaHandler.h"
#include "app/SettingsFile.h"
#include "common/HostFolder.h"
#include "control/KepHttp.h"
#include "fixtures/RawClient.h"
#include "fixtures/StandInLog.h"

#include <QApplication>
#include <QMenu>
#include <QStyle>
#include <QToolTip>
#include <QTest>
#include "fixtures/QtTestApplication.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

// The main window in its host folder of stand-ins; every program it starts records its arguments.
class OrvantaDlgTest : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        EnsureQtApplication<QApplication>();
    }

    void SetUp() override
    {
        m_scratch = fs::temp_directory_path() / ("orv-dlg-" + std::to_string(getpid()));
        fs::remove_all(m_scratch);
        fs::create_directories(m_scratch / "log");
        setenv("ORVANTA_FIXTURE_LOG", (m_scratch / "log").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (m_scratch / "config").c_str(), 1);
        std::string path = ModuleDirectory() + "/bin:" + (getenv("PATH") ? getenv("PATH") : "");
        setenv("PATH", path.c_str(), 1);
        fs::remove(ConfigPath());
    }

    void TearDown() override
    {
        m_window.reset();
        for (const auto& start : StandInLog(m_scratch / "log").Starts("OrvantaClient"))
            kill(start.pid, SIGKILL);
        std::error_code ec;
        fs::remove_all(m_scratch, ec);
        fs::remove(ConfigPath(), ec);
    }

    static std::string ConfigPath() { return ModuleDirectory() + "/config.xml"; }

    OrvantaDlg& Window()
    {
        if (!m_window) {
            m_handler.LoadSettings();
            m_window = std::make_unique<OrvantaDlg>(m_handler);
        }
        return *m_window;
    }

    std::vector<StandInLog::Start> WaitForStarts(const std::string& program, size_t count)
    {
        return StandInLog(m_scratch / "log").WaitForStarts(program, count);
    }

    void Command(int code, const std::u16string& argument) { Window().HandleCommand(code, argument); }

    Settings StoredSettings()
    {
        std::ifstream in(ConfigPath(), std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        Settings s;
        SettingsFile::Read(bytes.str(), s);
        return s;
    }

    fs::path m_scratch;
    OrvantaHandler m_handler;
    std::unique_ptr<OrvantaDlg> m_window;
};

TEST_F(OrvantaDlgTest, OnlyTheLow16BitsOfTheCodeCount)
{
    Command(0, u"ip=srv0");
    Command(15, u"ip=srv0");
    Command(0x10003, u"ip=host1:3390*?*user=u");
    auto clients = WaitForStarts("OrvantaClient", 1);
    ASSERT_EQ(clients.size(), 1u);
    std::vector<std::string> expected{ModuleDirectory() + "/OrvantaClient", "/u:u", "/p:", "/v:host1",
                                      "/t:Orvanta Client #1", "/w:0", "/h:0", "/port:3390", "/bpp:"};
    EXPECT_EQ(clients[0].argv, expected);
    EXPECT_EQ(Window().AppState("host1"), 1);
    EXPECT_EQ(Window().AppState("srv0"), 0);
}

TEST_F(OrvantaDlgTest, CreateDiskRunsTheScriptWithTheFourValuesInOrder)
{
    Command(2, u"passwd=pw*?*user2=corp*?*user1=ann smith*?*path=//srv/share");
    auto starts = WaitForStarts("trovent_con.sh", 1);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(std::vector<std::string>(starts[0].argv.begin() + 1, starts[0].argv.end()),
              (std::vector<std::string>{"//srv/share", "ann", "smith", "corp", "pw"}));
}

TEST_F(OrvantaDlgTest, OpenUrlUsesTheConfiguredBrowserOrTheDesktopsOpener)
{
    Command(5, u"x=1*?*a=portal.example/page");
    m_handler.settings().NetApp = u"\"" + std::u16string(u"firefox") + u"\"";
    Command(5, u"url=https://x.example/");
    Command(5, u"no pair here");
    auto opened = WaitForStarts("xdg-open", 1);
    auto browsed = WaitForStarts("firefox", 1);
    ASSERT_EQ(opened.size(), 1u);
    ASSERT_EQ(browsed.size(), 1u);
    EXPECT_EQ(opened[0].argv.back(), "http://portal.example/page");
    EXPECT_EQ(browsed[0].argv.back(), "https://x.example/");
}

TEST_F(OrvantaDlgTest, UpdateEndsTheSessionBeforeTheInstallerStarts)
{
    Command(3, u"ip=srv9");
    auto clients = WaitForStarts("OrvantaClient", 1);
    ASSERT_EQ(clients.size(), 1u);
    Command(9, u"path=/tmp/Data/setup.sh");
    EXPECT_EQ(Window().AppState("srv9"), 0);
    bool clientGone = false;
    for (int i = 0; i < 300 && !clientGone; ++i, std::this_thread::sleep_for(std::chrono::milliseconds(10)))
        clientGone = kill(clients[0].pid, 0) != 0;
    EXPECT_TRUE(clientGone);
    
    EXPECT_EQ(WaitForStarts("trovent_close.sh", 1).size(), 1u);
    auto opened = WaitForStarts("xdg-open", 1);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].argv.back(), "/tmp/Data/setup.sh");
}

TEST_F(OrvantaDlgTest, SettingsHomePageAndSingleSignOnCommands)
{
    Command(10, u"url=http://home.example/");
    EXPECT_EQ(Window().HomePage(), u"http://home.example/");
    Command(11, u"url=http://portal.example/\u4E2D");
    EXPECT_EQ(StoredSettings().NetLink, u"http://portal.example/\u4E2D");
    Command(14, u"mail=bWFpbA==*?*erp=ZXJw");
    Command(14, u"vpn=dnBu");
    EXPECT_EQ(Window().SsoEntries(), (std::map<std::string, std::string>{{"vpn", "dnBu"}}));
    Command(12, u"vpn=x");
    Command(13, u"vpn=x");
    EXPECT_EQ(Window().SsoEntries().size(), 1u);
    Command(6, u"");
    EXPECT_TRUE(Window().SsoEntries().empty());
}

TEST_F(OrvantaDlgTest, EscapeAndEnterDoNotCloseTheWindowButACloseRequestDoes)
{
    OrvantaDlg& window = Window();
    window.show();
    QTest::keyClick(&window, Qt::Key_Escape);
    QTest::keyClick(&window, Qt::Key_Return);
    QTest::keyClick(&window, Qt::Key_Enter);
    EXPECT_TRUE(window.isVisible());
    window.move(40, 50);
    window.close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_NE(StoredSettings().XPos, 40); // a close request saves no positions
}

TEST_F(OrvantaDlgTest, FirstStartPlacesTheWindowAtTheRightEdgeAndWritesTheFile)
{
    QSize work = QGuiApplication::primaryScreen()->availableGeometry().size();
    OrvantaDlg& window = Window();
    EXPECT_EQ(window.geometry(), QRect(work.width() - 300, 0, 300, work.height() / 2));
    Settings stored = StoredSettings();
    EXPECT_EQ(stored.XPos, work.width() - 300);
    EXPECT_EQ(stored.MinXPos, work.width() - 150);
    EXPECT_EQ(stored.MinYPos, 20);
    EXPECT_TRUE(fs::exists(m_scratch / "config" / "autostart" / "orvanta.desktop"));
}

TEST_F(OrvantaDlgTest, StoredPositionsAreUsedAndTheExitItemSavesThem)
{
    Settings s;
    s.XPos = 30, s.YPos = 40, s.Width = 320, s.Height = 340, s.MinXPos = 7, s.MinYPos = 8;
    SettingsFile::Save(ConfigPath(), s);
    OrvantaDlg& window = Window();
    EXPECT_EQ(window.geometry(), QRect(30, 40, 320, 340));
    window.setGeometry(60, 70, 330, 350);
    QList<QAction*> items = window.TrayMenu()->actions();
    ASSERT_EQ(items.size(), 4);
    EXPECT_TRUE(items[0]->isChecked());
    EXPECT_FALSE(items[0]->isEnabled());
    EXPECT_TRUE(items[2]->isSeparator());
    items[3]->trigger();
    EXPECT_EQ(window.result(), 1);
    Settings stored = StoredSettings();
    EXPECT_EQ(std::vector<int>({stored.XPos, stored.YPos, stored.Width, stored.Height, stored.MinXPos}),
              std::vector<int>({60, 70, 330, 350, 7}));
}

TEST_F(OrvantaDlgTest, AWidthOf299FallsBackToTheDefaultPlacement)
{
    Settings s;
    s.XPos = 30, s.YPos = 40, s.Width = 299, s.Height = 340;
    SettingsFile::Save(ConfigPath(), s);
    EXPECT_EQ(Window().geometry().width(), 300);
    EXPECT_EQ(StoredSettings().MinYPos, 20);
}

TEST_F(OrvantaDlgTest, ThePortalFollowsAClientThroughTheControlServer)
{
    KepHttp server;
    CommandRelay relay;
    OrvantaDlg& window = Window();
    relay.SetHandler(&window);
    server.SetCommandReceiver(&relay);
    server.AttachWindowState(&window);
    server.StartServer();
    ASSERT_EQ(server.ListeningPort(), 21010);

    auto get = [](const std::string& target) {
        RawClient client(21010);
        client.Send("GET " + target + " HTTP/1.0\r\n\r\n");
        std::string reply = client.Receive(SIZE_MAX, 2000);
        return reply.substr(reply.find("\r\n\r\n") + 4);
    };
    auto waitForState = [&](const std::string& expected) {
        for (int i = 0; i < 300; ++i) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            if (get("/app_state?srv5") == expected)
                return true;
        }
        return false;
    };
    EXPECT_EQ(get("/openapp?ip=srv5:3390*?*user=ann"), "OK");
    EXPECT_TRUE(waitForState("srv5*?*1"));
    EXPECT_EQ(get("/loginout"), "OK");
    EXPECT_TRUE(waitForState("srv5*?*0"));

    server.DetachWindowState();
    relay.SetHandler(nullptr);
    relay.Close();
    server.Stop();
}

} // namespace

namespace {

class MainButtonTest : public OrvantaDlgTest
{
};

TEST_F(MainButtonTest, ShowsItsOutlineOnlyWhileThePointerIsOverIt)
{
    MainButton button;
    button.SetIcon(QPixmap(), 16, 16);
    auto outlinePixel = [&] { return button.grab().toImage().pixelColor(1, 8); };
    EXPECT_EQ(outlinePixel(), QColor(42, 86, 153));
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&button, &enter);
    EXPECT_TRUE(button.IsHovering());
    EXPECT_EQ(outlinePixel(), QColor(0x7D, 0x7D, 0x7D));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&button, &leave);
    EXPECT_FALSE(button.IsHovering());
    EXPECT_EQ(outlinePixel(), QColor(42, 86, 153));
}

TEST_F(MainButtonTest, CaptionTooltipsComeUpAfter200Milliseconds)
{
    OrvantaDlg& window = Window();
    MainButton button(&window);
    EXPECT_EQ(QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay, nullptr, &button), 200);
    EXPECT_EQ(QToolTip::palette().color(QPalette::ToolTipBase), QColor(42, 86, 153));
    EXPECT_EQ(QToolTip::palette().color(QPalette::ToolTipText), QColor(Qt::white));
}

} // namespace

namespace {

TEST_F(OrvantaDlgTest, APrintJobStartsThePrintToolOnlyWithAPrinterSet)
{
    EXPECT_EQ(Window().PrintFile("/tmp/Data/a.pdf"), 0); // no printer: the file stays for the user
    m_handler.settings().Printer = u"Office Printer 2";
    Command(7, u"path=/tmp/Data/report 1.pdf");
    auto starts = WaitForStarts("OrvPdfPrinter", 1);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].argv, (std::vector<std::string>{ModuleDirectory() + "/public/OrvPdfPrinter",
                                                        "/tmp/Data/report 1.pdf", "Office Printer 2"}));
}

} // namespace
