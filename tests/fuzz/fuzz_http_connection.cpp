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
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cerrno>
#include <chrono>
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

// Waits up to 5 s for `events` on `fd`, across interruptions.
bool WaitFor(int fd, short events)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        pollfd p{fd, events, 0};
        int n = poll(&p, 1, static_cast<int>(left.count()));
        if (n > 0)
            return true;
        if (n == 0 || errno != EINTR)
            return false;
    }
}

int Connect(int port)
{
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    // The server closes first, so each connection leaves a TIME_WAIT behind; spreading the client over
    // the loopback range keeps long runs from running out of source ports.
    static uint32_t next = 0;
    sockaddr_in source{};
    source.sin_family = AF_INET;
    source.sin_addr.s_addr = htonl(0x7F000000u | (1u + next++ % 0xFFFFu));
    bind(fd, reinterpret_cast<sockaddr*>(&source), sizeof source);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    // libFuzzer's timeout alarm interrupts system calls; an interrupted connect goes on by itself.
    if (connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        int error = errno;
        if (error == EINTR && WaitFor(fd, POLLOUT)) {
            socklen_t length = sizeof error;
            getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length);
        }
        if (error != 0 && error != EINTR) {
            std::fprintf(stderr, "connect to the control server: %s\n", std::strerror(error));
            std::abort(); // the server stopped accepting
        }
    }
    return fd;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Never destroyed: its thread serves until the process ends.
    static Server* server = new Server;
    int fd = Connect(server->port);
    for (size_t sent = 0; sent < size;) {
        ssize_t n = send(fd, data + sent, size - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break; // the server closed early, as it may for bad input
        sent += static_cast<size_t>(n);
    }
    shutdown(fd, SHUT_WR);
    // Read until the server closes; it must, since our side has ended.
    char buffer[4096];
    for (;;) {
        if (!WaitFor(fd, POLLIN)) {
            std::fprintf(stderr, "no answer and no close; open sessions: %d\n", server->listener->OpenSessions());
            std::abort(); // the server neither answered nor closed
        }
        ssize_t n = recv(fd, buffer, sizeof buffer, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
    }
    close(fd);
    return 0;
}
