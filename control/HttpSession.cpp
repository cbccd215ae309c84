#include "HttpSession.h"

#include <boost/asio/write.hpp>
#include <boost/beast/http/read.hpp>

#include <chrono>

namespace beast = boost::beast;
namespace http = boost::beast::http;
namespace net = boost::asio;

namespace {
// How long one request may take to arrive, and one reply to leave; an idle kept-alive connection is
// closed after this as well.
constexpr std::chrono::seconds kIoTimeout{30};
// Bytes read ahead of the parser; a request line plus headers never need more than kHeaderLimit.
constexpr size_t kReadBufferLimit = 64 * 1024;
} // namespace

HttpSession::HttpSession(net::ip::tcp::socket socket, const TargetHandler& handler,
                         std::shared_ptr<std::atomic<int>> openSessions)
    : m_stream(std::move(socket)), m_buffer(kReadBufferLimit), m_handler(handler),
      m_openSessions(std::move(openSessions))
{
    ++*m_openSessions;
}

HttpSession::~HttpSession()
{
    --*m_openSessions;
}

void HttpSession::Start()
{
    DoRead();
}

void HttpSession::DoRead()
{
    m_parser.emplace();
    m_parser->header_limit(kHeaderLimit);
    m_parser->body_limit(kBodyLimit);
    m_stream.expires_after(kIoTimeout);
    http::async_read(m_stream, m_buffer, *m_parser,
                     [self = shared_from_this()](beast::error_code ec, size_t bytes) { self->OnRead(ec, bytes); });
}

void HttpSession::OnRead(beast::error_code ec, size_t)
{
    if (ec == http::error::end_of_stream)
        return DoClose();
    if (ec)
        return DoClose(); // malformed, too large, timed out or reset: this connection ends here

    const auto& request = m_parser->get();
    m_keepAlive = request.keep_alive();
    m_reply = m_handler(std::string_view(request.target().data(), request.target().size()));
    m_stream.expires_after(kIoTimeout);
    net::async_write(m_stream, net::buffer(m_reply),
                     [self = shared_from_this()](beast::error_code ec, size_t bytes) { self->OnWrite(ec, bytes); });
}

void HttpSession::OnWrite(beast::error_code ec, size_t)
{
    if (ec)
        return DoClose();
    if (!m_keepAlive)
        return DoClose();
    DoRead();
}

void HttpSession::DoClose()
{
    beast::error_code ignored;
    m_stream.socket().shutdown(net::ip::tcp::socket::shutdown_both, ignored);
    m_stream.socket().close(ignored);
}
