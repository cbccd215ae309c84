#pragma once

#include "HttpSession.h"

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/steady_timer.hpp>

#include <atomic>
#include <memory>

// Accepts connections on 127.0.0.1:port and gives each to an HttpSession.
class HttpListener : public std::enable_shared_from_this<HttpListener>
{
public:
    // Connections beyond this are closed at once, so that a flood cannot use up the process's
    // descriptors; the portal needs a handful.
    static constexpr int kMaxSessions = 900;

    HttpListener(boost::asio::io_context& io, TargetHandler handler);

    // Binds and listens; false when the address is taken or cannot be bound.
    bool Listen(int port);
    void StartAccepting();
    // The port listened on (useful after Listen(0)).
    int LocalPort() const;
    void Close();

    int OpenSessions() const { return *m_openSessions; }

private:
    void DoAccept();
    void OnAccept(boost::beast::error_code ec, boost::asio::ip::tcp::socket socket);

    boost::asio::ip::tcp::acceptor m_acceptor;
    boost::asio::steady_timer m_retryTimer;
    TargetHandler m_handler;
    std::shared_ptr<std::atomic<int>> m_openSessions = std::make_shared<std::atomic<int>>(0);
};
