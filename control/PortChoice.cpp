#include "PortChoice.h"

#include <algorithm>
#include <iterator>

namespace {
constexpr uint32_t kLoopback = 0x7F000001;
}

std::vector<int> FindFreePort(const std::vector<platform::TcpTableRow>& rows)
{
    std::vector<int> ports(std::begin(kCandidatePorts), std::end(kCandidatePorts));
    for (const auto& row : rows) {
        if (!row.listening || row.localAddress != kLoopback || row.localPort < 21010 || row.localPort > 21019)
            continue;
        ports.erase(std::remove(ports.begin(), ports.end(), row.localPort), ports.end());
    }
    return ports;
}

std::vector<int> FindFreePort()
{
    auto rows = platform::ReadTcpTable();
    return rows ? FindFreePort(*rows) : FindFreePort({});
}
