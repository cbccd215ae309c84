#include "app/CommandRelay.h"
#include "app/OrvantaDlg.h"
#include "app/OrvantaHandler.h"
#include "common/HostFolder.h"
#include "control/KepHttp.h"
#include "fixtures/CupsDaemon.h"
#include "fixtures/FixtureServer.h"
#include "fixtures/RawClient.h"

#include <QApplication>
#include "fixtures/QtTestApplication.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

namespace fs = std::filesystem;

namespace {

// The whole road of a print job: the portal's /printing-file, the fetch into Data/, command 7, the
// print tool in public/ of this test's host folder, and a completed job in a private CUPS daemon.
class PrintJobFlowTest : public testing::Test
{
protected:
    void SetUp() override
    {
        EnsureQtApplication<QApplication>();
        ASSERT_TRUE(m_cups.ready());
        ASSERT_NE(m_web.port(), 0);
        m_cups.SetEnvironment();
        m_config = fs::temp_directory_path() / ("orv-flow-" + std::to_string(getpid()));
        setenv("XDG_CONFIG_HOME", m_config.c_str(), 1);
        fs::remove_all(Data());

        m_window = std::make_unique<OrvantaDlg>(m_handler);
        m_relay.SetHandler(m_window.get());
        m_server.SetCommandReceiver(&m_relay);
        m_server.AttachWindowState(m_window.get());
        m_server.StartServer();
        ASSERT_EQ(m_server.ListeningPort(), 21010);
    }

    void TearDown() override
    {
        m_server.DetachWindowState();
        m_relay.SetHandler(nullptr);
        m_relay.Close();
        m_server.Stop();
        m_window.reset();
        fs::remove_all(m_config);
        fs::remove_all(Data());
        fs::remove(ModuleDirectory() + "/config.xml");
    }

    static fs::path Data() { return fs::path(ModuleDirectory()) / "Data"; }

    static std::string Get(const std::string& target)
    {
        RawClient client(21010);
        client.Send("GET " + target + " HTTP/1.0\r\n\r\n");
        std::string reply = client.Receive(SIZE_MAX, 2000);
        return reply.substr(reply.find("\r\n\r\n") + 4);
    }

    // Lets the main window work until the portal sees the print slot free again.
    static bool WaitUntilNotBusy()
    {
        for (int i = 0; i < 1000; ++i) {
            QCoreApplication::processEvents();
            if (Get("/printing-status") == "OK")
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }

    CupsDaemon m_cups{"orvanta-flow"};
    FixtureServer m_web;
    fs::path m_config;
    OrvantaHandler m_handler;
    std::unique_ptr<OrvantaDlg> m_window;
    CommandRelay m_relay;
    KepHttp m_server;
};

TEST_F(PrintJobFlowTest, APortalPrintJobEndsAsACompletedJobAndTheFileIsGone)
{
    m_handler.settings().Printer = u"orvanta-flow";
    size_t before = m_cups.Jobs().size();
    EXPECT_EQ(Get("/printing-file?" + m_web.Url("/slowpdf/1/report.pdf")), "OK");
    EXPECT_EQ(Get("/printing-status"), "BUSY");
    ASSERT_TRUE(WaitUntilNotBusy());
    // Command 7 reaches the window through its event loop; then the tool submits the job.
    for (int i = 0; i < 600 && m_cups.Jobs().size() <= before; ++i) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ASSERT_TRUE(m_cups.WaitForCompletedJobs(static_cast<int>(before) + 1));
    std::string local = (Data() / "report.pdf").string();
    EXPECT_EQ(m_cups.CompletedJobTitles().back(), local);
    for (int i = 0; i < 100 && fs::exists(local); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(fs::exists(local));
}

TEST_F(PrintJobFlowTest, WithoutAPrinterTheFileStaysInData)
{
    size_t before = m_cups.Jobs().size();
    EXPECT_EQ(Get("/printing-file?" + m_web.Url("/pdf/P/kept.pdf")), "OK");
    ASSERT_TRUE(WaitUntilNotBusy());
    for (int i = 0; i < 50; ++i) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(fs::exists(Data() / "kept.pdf"));
    EXPECT_EQ(m_cups.Jobs().size(), before);
}

} // namespace
