#include "HttpListener.h"

#include <boost/asio/ip/address_v4.hpp>

namespace net = boost::asio;
using tcp = boost::asio::ip::tcp;

HttpListener::HttpListener(net::io_context& io, TargetHandler handler)
    : m_acceptor(io), m_retryTimer(io), m_handler(std::move(handler))
{
}

bool HttpListener::Listen(int port)
{
    boost::system::error_code ec;
    tcp::endpoint endpoint(net::ip::address_v4::loopback(), static_cast<unsigned short>(port));
    m_acceptor.open(endpoint.protocol(), ec);
    if (!ec)
        m_acceptor.set_option(net::socket_base::reuse_address(true), ec);
    if (!ec)
        m_acceptor.bind(endpoint, ec);
    if (!ec)
        m_acceptor.listen(net::socket_base::max_listen_connections, ec);
    if (ec) {
        boost::system::error_code ignored;
        m_acceptor.close(ignored);
        return false;
    }
    return true;
}

int HttpListener::LocalPort() const
{
    boost::system::error_code ec;
    auto endpoint = m_acceptor.local_endpoint(ec);
    return ec ? 0 : endpoint.port();
}

void HttpListener::StartAccepting()
{
    DoAccept();
}

void HttpListener::Close()
{
    boost::system::error_code ignored;
    m_acceptor.close(ignored);
    m_retryTimer.cancel();
}

void HttpListener::DoAccept()
{
    m_acceptor.async_accept([self = shared_from_this()](auto ec, tcp::socket socket) {
        self->OnAccept(ec, std::move(socket));
    });
}

void HttpListener::OnAccept(boost::beast::error_code ec, tcp::socket socket)
{
    if (ec == net::error::operation_aborted || !m_acceptor.is_open())
        return;
    if (ec) {
        // Usually out of descriptors: wait a little instead of spinning, then accept again.
        m_retryTimer.expires_after(std::chrono::milliseconds(100));
        m_retryTimer.async_wait([self = shared_from_this()](boost::system::error_code waitEc) {
            if (!waitEc)
                self->DoAccept();
        });
        return;
    }
    if (*m_openSessions < kMaxSessions)
        std::make_shared<HttpSession>(std::move(socket), m_handler, m_openSessions)->Start();
    DoAccept();
}
