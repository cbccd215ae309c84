#pragma once

#include "platform/TcpTable.h"

#include <string_view>
#include <vector>

namespace platform {

// Parses the text of /proc/net/tcp; lines that do not parse are skipped.
std::vector<TcpTableRow> ParseProcNetTcp(std::string_view text);

} // namespace platform
