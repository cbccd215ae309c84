#include "fixtures/FixtureServer.h"
#include "transfer/FileDownload.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <netinet/in.h>
#include <sstream>
#include <sys/socket.h>

namespace fs = std::filesystem;

namespace {

struct NameCase
{
    const char* url;
    std::optional<std::string> name;
};

void PrintTo(const NameCase& c, std::ostream* os)
{
    *os << c.url;
}

class FileNameFromUrlTest : public testing::TestWithParam<NameCase>
{
};

TEST_P(FileNameFromUrlTest, TakesTheLastSegment)
{
    EXPECT_EQ(FileNameFromUrl(GetParam().url), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FileNameFromUrlTest,
    testing::Values(NameCase{"http://h/dir/report.pdf?id=7", "report.pdf"}, NameCase{"http://h/a.pdf&x=1", "a.pdf"},
                    NameCase{"http://h/d/a.pdf?x=1&y=2", "a.pdf"},
                    // the last character is never the separator, so a trailing "/" stays in the name
                    NameCase{"http://h/dir/", "dir/"}, NameCase{"http://h/%E4%B8%AD.pdf", "%E4%B8%AD.pdf"},
                    NameCase{"http://h/?q", ""}, NameCase{"nourl", std::nullopt}, NameCase{"x/", std::nullopt},
                    NameCase{"/", std::nullopt}, NameCase{"", std::nullopt}));

class DownloadFileTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(m_server.port(), 0);
        m_data = fs::temp_directory_path() / ("orv-dl-" + std::to_string(getpid())) / "Data";
        fs::remove_all(m_data.parent_path());
    }
    void TearDown() override { fs::remove_all(m_data.parent_path()); }

    bool Download(const std::string& url, std::string& localPath)
    {
        return DownloadFile(url, m_data, localPath, m_stop);
    }

    static std::string Contents(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    FixtureServer m_server;
    fs::path m_data;
    std::atomic<bool> m_stop{false};
};

struct TransferCase
{
    const char* path;
    bool succeeds;
    const char* contents; // what the local file holds afterwards
};

void PrintTo(const TransferCase& c, std::ostream* os)
{
    *os << c.path;
}

class DownloadOutcomeTest : public DownloadFileTest, public testing::WithParamInterface<TransferCase>
{
};

TEST_P(DownloadOutcomeTest, SucceedsOnlyWithStatus200)
{
    std::string localPath;
    EXPECT_EQ(Download(m_server.Url(GetParam().path), localPath), GetParam().succeeds);
    EXPECT_EQ(fs::path(localPath).parent_path(), m_data);
    EXPECT_EQ(Contents(localPath), GetParam().contents);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DownloadOutcomeTest,
    testing::Values(TransferCase{"/files/doc.pdf?id=7", true, "content of doc.pdf"},
                    TransferCase{"/status/404/doc.pdf", false, "status body"},
                    TransferCase{"/status/302/doc.pdf", false, "status body"},
                    TransferCase{"/chain/10/doc.pdf", true, "content of doc.pdf"},
                    TransferCase{"/chain/11/doc.pdf", false, ""}, // more than 10 redirects
                    TransferCase{"/partial/doc.pdf", false, "0123456789"}));

TEST_F(DownloadFileTest, OverwritesAnExistingFile)
{
    fs::create_directories(m_data);
    std::ofstream(m_data / "doc.pdf") << "an older and much longer file";
    std::string localPath;
    ASSERT_TRUE(Download(m_server.Url("/files/doc.pdf"), localPath));
    EXPECT_EQ(Contents(localPath), "content of doc.pdf");
}

TEST_F(DownloadFileTest, AUrlWithoutFileNameIsRefusedBeforeAnythingIsCreated)
{
    std::string localPath;
    EXPECT_FALSE(Download("nourl", localPath));
    EXPECT_FALSE(fs::exists(m_data));
}

TEST_F(DownloadFileTest, AFileThatCannotBeCreatedIsAFailedDownload)
{
    std::string localPath;
    // The name is empty, so the local path is the Data folder itself.
    EXPECT_FALSE(Download(m_server.Url("/files/?x"), localPath));
    EXPECT_TRUE(fs::is_directory(m_data));
}

TEST_F(DownloadFileTest, OnlyWebProtocolsAreFetched)
{
    std::string localPath;
    EXPECT_FALSE(Download("file:///etc/hostname", localPath));
    EXPECT_EQ(Contents(localPath), "");
}

TEST_F(DownloadFileTest, AServerThatNeverAcceptsTimesOut)
{
    // A listener whose accept queue is full: further connection attempts get no answer at all.
    int listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(listener, 0), 0);
    socklen_t length = sizeof address;
    getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    std::vector<int> fillers;
    for (int i = 0; i < 4; ++i) {
        int s = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
        fillers.push_back(s);
    }
    std::string url = "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/files/doc.pdf";
    std::string localPath;
    EXPECT_FALSE(Download(url, localPath));
    for (int s : fillers)
        close(s);
    close(listener);
}

TEST_F(DownloadFileTest, StopAbortsARunningTransfer)
{
    m_stop = true;
    std::string localPath;
    EXPECT_FALSE(Download(m_server.Url("/slow/5/doc.pdf"), localPath));
}

} // namespace
