#pragma once

#include <string>

namespace platform {

// `count` bytes from the system's cryptographic random generator.
std::string RandomBytes(size_t count);

} // namespace platform
