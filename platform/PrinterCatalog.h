#pragma once

#include <string>

namespace platform {

// True when the print system has a printer (queue) of exactly this name.
bool PrinterExists(const std::string& name);

// The printer's default resolution in dots per inch, or 0 when the print system does not say.
int PrinterResolution(const std::string& name);

} // namespace platform
