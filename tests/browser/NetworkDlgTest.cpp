#include "browser/CLabel.h"
#include "browser/CPictureEx.h"
#include "browser/CXEditPrompt.h"
#include "browser/NetworkDlg.h"
#include "fixtures/FixtureServer.h"
#include "fixtures/QtTestApplication.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <curl/curl.h>
#include <memory>
#include <thread>

namespace {

// The login-address dialog against a local HTTP server.
class NetworkDlgTest : public testing::Test
{
protected:
    static void SetUpTestSuite() { EnsureQtApplication<QApplication>(); }

    void SetUp() override
    {
        ASSERT_NE(m_server.port(), 0);
        m_dialog = std::make_unique<NetworkDlg>();
        m_dialog->show();
    }

    template <typename Done>
    static bool RunUntil(Done done, int milliseconds = 15000)
    {
        for (int i = 0; i < milliseconds / 10 && !done(); ++i) {
            QApplication::processEvents();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return done();
    }

    CXEditPrompt* Edit() const { return m_dialog->findChild<CXEditPrompt*>(); }
    CLabel* Status() const { return m_dialog->findChild<CLabel*>(); }
    CPictureEx* Animation() const { return m_dialog->findChild<CPictureEx*>(); }
    QPushButton* Ok() const { return m_dialog->findChild<QPushButton*>(); }

    // How many requests the server has served.
    int RequestsServed() const
    {
        std::string body;
        CURL* curl = curl_easy_init();
        std::string url = m_server.Url("/count");
        curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
        curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, +[](char* data, size_t size, size_t count, void* out) {
            static_cast<std::string*>(out)->append(data, size * count);
            return size * count;
        });
        curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
        curl_easy_perform(curl);
        curl_easy_cleanup(curl);
        return std::atoi(body.c_str());
    }

    std::string Bare(const std::string& path) const { return "127.0.0.1:" + std::to_string(m_server.port()) + path; }

    void Type(const std::string& address)
    {
        Edit()->SetWindowText(QString::fromStdString(address));
    }

    FixtureServer m_server;
    std::unique_ptr<NetworkDlg> m_dialog;
};

TEST_F(NetworkDlgTest, OpensWithThePromptAndItsOwnTexts)
{
    EXPECT_EQ(m_dialog->windowTitle(), QStringLiteral("Orvanta沙盒登录地址"));
    EXPECT_EQ(Ok()->text(), QStringLiteral("确    定"));
    EXPECT_TRUE(Ok()->isDefault());
    EXPECT_TRUE(Edit()->IsPrompting());
    EXPECT_EQ(Edit()->text(), QStringLiteral("< 请输入访问地址 >"));
    EXPECT_EQ(Edit()->WindowText(), QString());
    EXPECT_FALSE(Animation()->isVisible());
    EXPECT_EQ(Animation()->size(), QSize(128, 128));
    EXPECT_EQ(Status()->Text(), QString());

    NetworkDlg prefilled;
    prefilled.SetAddress(QStringLiteral("https://portal.example"));
    EXPECT_FALSE(prefilled.findChild<CXEditPrompt*>()->IsPrompting());
    EXPECT_EQ(prefilled.findChild<CXEditPrompt*>()->WindowText(), QStringLiteral("https://portal.example"));
}

TEST_F(NetworkDlgTest, AnUntouchedFieldFailsAtOnceWithoutAnyRequest)
{
    int before = RequestsServed();
    QTest::mouseClick(Ok(), Qt::LeftButton);
    ASSERT_TRUE(RunUntil([&] { return Status()->Text() == QString::fromUtf8(NetworkDlg::kFailed); }));
    EXPECT_EQ(Status()->TextColor(), QColor(255, 0, 0));
    EXPECT_TRUE(m_dialog->isVisible()); // open for another try
    EXPECT_TRUE(Ok()->isEnabled());
    EXPECT_TRUE(Edit()->isEnabled());
    EXPECT_EQ(RequestsServed(), before);
}

TEST_F(NetworkDlgTest, ABareHostIsKeptWithTheSchemeThatAnswered)
{
    Type(Bare("/portal"));
    QTest::mouseClick(Ok(), Qt::LeftButton);
    ASSERT_TRUE(RunUntil([&] { return !m_dialog->isVisible(); }));
    EXPECT_EQ(m_dialog->result(), QDialog::Accepted);
    EXPECT_EQ(m_dialog->Address().toStdString(), "http://" + Bare("/portal"));
}

TEST_F(NetworkDlgTest, WhileTestingEverythingWaitsAndAWrongReplyFails)
{
    // The server trickles out a wrong reply over a second.
    Type("http://" + Bare("/slow/1/x"));
    QTest::mouseClick(Ok(), Qt::LeftButton);
    EXPECT_EQ(Status()->Text(), QString::fromUtf8(NetworkDlg::kConnecting));
    EXPECT_EQ(Status()->TextColor(), QColor(0, 0, 0));
    EXPECT_FALSE(Ok()->isEnabled());
    EXPECT_FALSE(Edit()->isEnabled());
    EXPECT_TRUE(Animation()->isVisible());
    EXPECT_TRUE(Animation()->IsPlaying());

    ASSERT_TRUE(RunUntil([&] { return !m_dialog->Testing() && Ok()->isEnabled(); }));
    EXPECT_EQ(Status()->Text(), QString::fromUtf8(NetworkDlg::kFailed));
    EXPECT_FALSE(Animation()->isVisible());
    EXPECT_FALSE(Animation()->IsPlaying());
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_EQ(m_dialog->Address().toStdString(), "http://" + Bare("/slow/1/x")); // as typed
}

TEST_F(NetworkDlgTest, ADialogClosedDuringATestDropsTheResult)
{
    Type(Bare("/slow/1/x"));
    QTest::mouseClick(Ok(), Qt::LeftButton);
    ASSERT_TRUE(m_dialog->Testing());
    m_dialog->reject();
    EXPECT_EQ(m_dialog->result(), QDialog::Rejected);
    m_dialog.reset();
    // The worker ends on its own; nothing of the dialog is touched when it does.
    RunUntil([] { return false; }, 2500);
    SUCCEED();
}

} // namespace
