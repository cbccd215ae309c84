#pragma once

#include <string>

namespace platform {

// Brings the first top-level window whose class equals `windowClass` (ignoring letter case) and whose
// title equals `title` exactly to the front and gives it the focus, the way the window manager expects
// a pager to ask. False when there is no display or no such window.
bool RaiseWindow(const std::string& windowClass, const std::string& title);

} // namespace platform
