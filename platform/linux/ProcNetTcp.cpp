#include "platform/linux/ProcNetTcp.h"

#include <arpa/inet.h>
#include <charconv>
#include <fstream>
#include <sstream>

namespace platform {
namespace {

constexpr unsigned kTcpListen = 0x0A; // TCP_LISTEN in the kernel's state numbering

template <typename T>
bool ParseHex(std::string_view text, T& value)
{
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    return ec == std::errc() && end == text.data() + text.size();
}

// "   0: 0100007F:5212 00000000:0000 0A ..." -> address, port, state.
bool ParseLine(std::string_view line, TcpTableRow& row)
{
    std::istringstream in{std::string(line)};
    std::string slot, local, remote, state;
    if (!(in >> slot >> local >> remote >> state) || slot.empty() || slot.back() != ':')
        return false;
    size_t colon = local.find(':');
    if (colon != 8)
        return false;
    uint32_t rawAddress = 0;
    uint16_t port = 0;
    unsigned stateCode = 0;
    if (!ParseHex(std::string_view(local).substr(0, 8), rawAddress) ||
        !ParseHex(std::string_view(local).substr(9), port) || !ParseHex(std::string_view(state), stateCode))
        return false;
    // The kernel prints the address as the native integer over network-order bytes.
    row.localAddress = ntohl(rawAddress);
    row.localPort = port;
    row.listening = stateCode == kTcpListen;
    return true;
}

} // namespace

std::vector<TcpTableRow> ParseProcNetTcp(std::string_view text)
{
    std::vector<TcpTableRow> rows;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        TcpTableRow row;
        if (ParseLine(text.substr(start, end - start), row))
            rows.push_back(row);
        start = end + 1;
    }
    return rows;
}

std::optional<std::vector<TcpTableRow>> ReadTcpTable()
{
    std::ifstream file("/proc/net/tcp");
    if (!file)
        return std::nullopt;
    std::stringstream text;
    text << file.rdbuf();
    return ParseProcNetTcp(text.str());
}

} // namespace platform
