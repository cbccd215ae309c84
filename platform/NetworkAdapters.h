#pragma once

#include <string>
#include <vector>

namespace platform {

// A network interface: its name and its description (on Linux the interface alias).
struct NetworkAdapter
{
    std::string name;
    std::string description;
};

// The machine's network interfaces in the system's order.
std::vector<NetworkAdapter> NetworkAdapters();

} // namespace platform
