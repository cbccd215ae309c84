#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace platform {

// One IPv4 TCP socket of the machine.
struct TcpTableRow
{
    uint32_t localAddress = 0; // host byte order: 127.0.0.1 is 0x7F000001
    uint16_t localPort = 0;
    bool listening = false;
};

// The machine's IPv4 TCP sockets; nothing when the table cannot be read.
std::optional<std::vector<TcpTableRow>> ReadTcpTable();

} // namespace platform
