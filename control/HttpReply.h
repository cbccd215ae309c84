#pragma once

#include <string>
#include <string_view>

// The exact bytes of a control-server reply: status line (reason always "OK"), five header lines, an
// empty line and the body as it is. Portals parse these bytes, so they never change.
std::string BuildReply(int status, std::string_view body);
