#pragma once

#include <string>

namespace platform {

// Full path of the running program file; empty when it cannot be found.
std::string RunningProgramPath();

} // namespace platform
