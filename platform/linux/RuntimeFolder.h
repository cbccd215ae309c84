#pragma once

#include <string>

namespace platform {

// The user's private runtime folder: $XDG_RUNTIME_DIR, or a folder of the user's own below /tmp.
std::string UserRuntimeFolder();

} // namespace platform
