#pragma once

#include <boost/asio/buffer.hpp>
#include <boost/beast/core/error.hpp>
#include <boost/beast/http/message.hpp>
#include <boost/optional.hpp>

#include <cstdint>

// A request body that is read and thrown away: the server never looks at bodies, but must consume
// them to find the next request on a kept-alive connection.
struct DiscardBody
{
    struct value_type
    {
    };

    class reader
    {
    public:
        template <bool isRequest, class Fields>
        reader(boost::beast::http::header<isRequest, Fields>&, value_type&)
        {
        }

        void init(const boost::optional<std::uint64_t>&, boost::beast::error_code& ec) { ec = {}; }

        template <class ConstBufferSequence>
        std::size_t put(const ConstBufferSequence& buffers, boost::beast::error_code& ec)
        {
            ec = {};
            return boost::asio::buffer_size(buffers);
        }

        void finish(boost::beast::error_code& ec) { ec = {}; }
    };
};
