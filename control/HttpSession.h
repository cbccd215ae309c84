#pragma once

#include <boost/asio/ip/tcp.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/core/tcp_stream.hpp>
#include <boost/beast/http/parser.hpp>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "DiscardBody.h"

// Turns a request target into the complete reply bytes.
using TargetHandler = std::function<std::string(std::string_view target)>;

// One client connection: reads requests (bounded in size and time), lets the handler answer each one
// and writes the reply bytes as they are; keeps the connection for HTTP/1.1 keep-alive.
class HttpSession : public std::enable_shared_from_this<HttpSession>
{
public:
    static constexpr size_t kHeaderLimit = 8 * 1024;
    static constexpr size_t kBodyLimit = 1024 * 1024;

    HttpSession(boost::asio::ip::tcp::socket socket, const TargetHandler& handler,
                std::shared_ptr<std::atomic<int>> openSessions);
    ~HttpSession();

    void Start();

private:
    void DoRead();
    void OnRead(boost::beast::error_code ec, size_t bytes);
    void OnWrite(boost::beast::error_code ec, size_t bytes);
    void DoClose();

    boost::beast::tcp_stream m_stream;
    boost::beast::flat_buffer m_buffer;
    std::optional<boost::beast::http::request_parser<DiscardBody>> m_parser;
    const TargetHandler& m_handler;
    std::shared_ptr<std::atomic<int>> m_openSessions;
    std::string m_reply;
    bool m_keepAlive = false;
};
