#include "ControlTestSupport.h"
#include "fixtures/RawClient.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const std::string kInitReply = "HTTP/1.1 200 OK\r\n"
                               "Server: Mongoose/6.7\r\n"
                               "Access-Control-Allow-Origin:*\r\n"
                               "Access-Control-Allow-Methods:GET,POST\r\n"
                               "Content-Type:text/plain\r\n"
                               "Content-Length: 4\r\n"
                               "\r\n"
                               "OK_1";

// Holds a listening socket on address:port for the lifetime of the object.
class PortHolder
{
public:
    PortHolder(uint32_t address, int port)
    {
        m_fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        int on = 1;
        setsockopt(m_fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(static_cast<uint16_t>(port));
        a.sin_addr.s_addr = htonl(address);
        m_ok = bind(m_fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 && listen(m_fd, 4) == 0;
    }
    ~PortHolder() { close(m_fd); }
    bool ok() const { return m_ok; }

private:
    int m_fd;
    bool m_ok = false;
};

class HttpServerTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_server.StartServer();
        ASSERT_EQ(m_server.ListeningPort(), 21010) << "is another client running on 21010?";
    }

    RecordingServer m_server;
};

TEST_F(HttpServerTest, AnswersInitWithTheExactBytes)
{
    RawClient client(21010);
    ASSERT_TRUE(client.Send("GET /init HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n"));
    EXPECT_EQ(client.Receive(kInitReply.size()), kInitReply);
}

TEST_F(HttpServerTest, KeepsHttp11ConnectionsAndPipelinedRequests)
{
    RawClient client(21010);
    ASSERT_TRUE(client.Send("GET /init HTTP/1.1\r\nHost: h\r\n\r\nGET /nothing HTTP/1.1\r\nHost: h\r\n\r\n"));
    std::string failed = "HTTP/1.1 405 OK\r\nServer: Mongoose/6.7\r\nAccess-Control-Allow-Origin:*\r\n"
                         "Access-Control-Allow-Methods:GET,POST\r\nContent-Type:text/plain\r\n"
                         "Content-Length: 6\r\n\r\nFAILED";
    EXPECT_EQ(client.Receive(kInitReply.size() + failed.size()), kInitReply + failed);
    ASSERT_TRUE(client.Send("GET /init HTTP/1.1\r\nHost: h\r\n\r\n"));
    EXPECT_EQ(client.Receive(kInitReply.size()), kInitReply);
}

TEST_F(HttpServerTest, ClosesHttp10ConnectionsAfterTheReply)
{
    RawClient client(21010);
    ASSERT_TRUE(client.Send("GET /init HTTP/1.0\r\n\r\n"));
    EXPECT_EQ(client.Receive(kInitReply.size()), kInitReply);
    EXPECT_TRUE(client.ClosedByPeer());
}

TEST_F(HttpServerTest, AnyMethodIsDispatchedLikeGetAndTheBodyIsIgnored)
{
    RawClient client(21010);
    ASSERT_TRUE(client.Send("OPTIONS /openapp?ip=h1%3A3390*?*user=%E4%B8%AD HTTP/1.1\r\nHost: h\r\n\r\n"
                            "POST /loginout HTTP/1.1\r\nHost: h\r\nContent-Length: 5\r\n\r\nhello"
                            "GET /init HTTP/1.1\r\nHost: h\r\n\r\n"));
    std::string replies = client.Receive(SIZE_MAX, 1000);
    EXPECT_NE(replies.find(kInitReply), std::string::npos);
    auto posted = m_server.WaitForPosted(2);
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_EQ(posted[0].first, 3);
    EXPECT_EQ(posted[0].second.substr(0, 15), "ip=h1:3390*?*us");
    EXPECT_EQ(posted[1], std::make_pair(6, std::string()));
}

struct OversizeCase
{
    const char* name;
    std::string request;
};

void PrintTo(const OversizeCase& c, std::ostream* os)
{
    *os << c.name;
}

class OversizeRequestTest : public HttpServerTest, public testing::WithParamInterface<OversizeCase>
{
};

TEST_P(OversizeRequestTest, ClosesThatConnectionOnly)
{
    RawClient big(21010);
    big.Send(GetParam().request);
    EXPECT_TRUE(big.ClosedByPeer()) << GetParam().name;
    RawClient other(21010);
    ASSERT_TRUE(other.Send("GET /init HTTP/1.1\r\nHost: h\r\n\r\n"));
    EXPECT_EQ(other.Receive(kInitReply.size()), kInitReply);
}

INSTANTIATE_TEST_SUITE_P(
    Limits, OversizeRequestTest,
    testing::Values(
        OversizeCase{"header over 8 KiB", "GET /init HTTP/1.1\r\nX: " + std::string(9000, 'a') + "\r\n\r\n"},
        OversizeCase{"target over 8 KiB", "GET /init?" + std::string(9000, 'a') + " HTTP/1.1\r\n\r\n"},
        OversizeCase{"body over 1 MiB",
                     "POST /init HTTP/1.1\r\nContent-Length: 1048577\r\n\r\n" + std::string(1048577, 'b')},
        OversizeCase{"not HTTP", std::string("\x16\x03\x01\x02\x00\x01\x00\x01\xfc\x03\x03", 11) + "\r\n\r\n"}));

TEST_F(HttpServerTest, AHalfSentRequestDoesNotDelayOthers)
{
    RawClient slow(21010);
    ASSERT_TRUE(slow.Send("GET /init HTTP/1.1\r\nHost: h\r\n"));
    RawClient other(21010);
    ASSERT_TRUE(other.Send("GET /init HTTP/1.1\r\nHost: h\r\n\r\n"));
    EXPECT_EQ(other.Receive(kInitReply.size()), kInitReply);
    ASSERT_TRUE(slow.Send("\r\n"));
    EXPECT_EQ(slow.Receive(kInitReply.size()), kInitReply);
}

TEST(PortChoiceOnTheMachineTest, SkipsPortsHeldOnLoopback)
{
    PortHolder first(INADDR_LOOPBACK, 21010), second(INADDR_LOOPBACK, 21011);
    ASSERT_TRUE(first.ok() && second.ok());
    RecordingServer server;
    server.StartServer();
    EXPECT_EQ(server.ListeningPort(), 21012);
    RawClient client(21012);
    ASSERT_TRUE(client.Send("GET /init HTTP/1.1\r\n\r\n"));
    EXPECT_EQ(client.Receive(kInitReply.size()), kInitReply);
}

TEST(PortChoiceOnTheMachineTest, AllFiveHeldMeansNoListenerAndNoThread)
{
    std::vector<std::unique_ptr<PortHolder>> holders;
    for (int port = 21010; port <= 21014; ++port)
        holders.push_back(std::make_unique<PortHolder>(INADDR_LOOPBACK, port));
    RecordingServer server;
    server.StartServer();
    EXPECT_EQ(server.ListeningPort(), 0);
    EXPECT_FALSE(server.PollThreadRunning());
    EXPECT_FALSE(server.DeliveryThreadRunning());
}

TEST(PortChoiceOnTheMachineTest, AnAnyAddressListenerIsNotSkippedAndTheBindFails)
{
    // The scan keeps 21010; on this system binding 127.0.0.1:21010 then fails, and there is no retry on
    // the next port: only the delivery thread runs.
    PortHolder any(INADDR_ANY, 21010);
    ASSERT_TRUE(any.ok());
    RecordingServer server;
    server.StartServer();
    EXPECT_EQ(server.ListeningPort(), 0);
    EXPECT_FALSE(server.PollThreadRunning());
    EXPECT_TRUE(server.DeliveryThreadRunning());
}

} // namespace
