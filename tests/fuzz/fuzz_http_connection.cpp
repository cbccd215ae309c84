// Raw bytes into a connection of the control server: the server must answer or close, never crash, and
// keep serving the next connection.
#include "control/HttpListener.h"
#include "control/HttpReply.h"
#include "control/KepHttp.h"
#include "control/RequestText.h"

#include <boost/asio/executor_work_guard.hpp>
#include <boost/asio/io_context.hpp>

#include <arpa/inet.h>
#include <cstdint>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

// One server on an ephemeral loopback port for the whole run, served by its own thread.
struct Server
{
    Server()
    {
        listener = std::make_shared<HttpListener>(io, [this](std::string_view target) {
            RequestTarget parts = SplitTarget(target);
            std::string reply = "OK";
            int status = dispatcher.DispatchRequest(DecodeRequestText(parts.path), DecodeRequestText(parts.query), reply);
            return BuildReply(status, reply);
        });
        if (!listener->Listen(0))
            std::abort();
        listener->StartAccepting();
        port = listener->LocalPort();
        thread = std::thread([this] {
            auto work = boost::asio::make_work_guard(io);
            io.run();
        });
        thread.detach();
    }

    boost::asio::io_context io;
    KepHttp dispatcher; // never started: only its request table is used
    std::shared_ptr<HttpListener> listener;
    int port = 0;
    std::thread thread;
};

int Connect(int port)
{
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0)
        std::abort(); // the server stopped accepting
    return fd;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Server server;
    int fd = Connect(server.port);
    send(fd, data, size, MSG_NOSIGNAL);
    shutdown(fd, SHUT_WR);
    // Read until the server closes; it must, since our side has ended.
    char buffer[4096];
    for (;;) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 5000) <= 0)
            std::abort(); // the server neither answered nor closed
        if (recv(fd, buffer, sizeof buffer, 0) <= 0)
            break;
    }
    close(fd);
    return 0;
}
