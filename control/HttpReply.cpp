#include "HttpReply.h"

std::string BuildReply(int status, std::string_view body)
{
    std::string reply;
    reply.reserve(160 + body.size());
    reply += "HTTP/1.1 ";
    reply += std::to_string(status);
    // The reason phrase is "OK" for every status the server sends, 405 included.
    reply += " OK\r\n"
             "Server: Mongoose/6.7\r\n"
             "Access-Control-Allow-Origin:*\r\n"
             "Access-Control-Allow-Methods:GET,POST\r\n"
             "Content-Type:text/plain\r\n"
             "Content-Length: ";
    reply += std::to_string(body.size());
    reply += "\r\n\r\n";
    reply += body;
    return reply;
}
