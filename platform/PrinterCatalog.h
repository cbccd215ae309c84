#pragma once

#include <string>

namespace platform {

// True when the print system has a printer (queue) of exactly this name.
bool PrinterExists(const std::string& name);

} // namespace platform
