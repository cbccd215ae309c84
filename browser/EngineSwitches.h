#pragma once

#include <string>

// The switches every process of the browser engine runs with, in this order: no GPU, software
// compositing, direct connections whatever the system's proxy says, and secure pages may load parts
// over plain connections.
namespace EngineSwitches {

inline constexpr const char* kSwitches[] = {
    "--disable-gpu",
    "--disable-gpu-compositing",
    "--no-proxy-server",
    "--allow-running-insecure-content",
};

// The engine's flag text: `existing` (what the user's environment already asks for) followed by the
// four switches.
std::string AppendedTo(const std::string& existing);

} // namespace EngineSwitches
