// Argument lists and the records built from them.
#include "common/ArgumentList.h"
#include "common/RequestRecords.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> fields = SplitFields(text);
    ArgumentMap arguments = ParseArguments(text);
    if (arguments.size() > fields.size())
        std::abort();
    FirstValue(arguments);
    VpnRequest::FromArguments(arguments);
    DiskRequest::FromArguments(arguments);
    OpenAppRequest app = OpenAppRequest::FromArguments(arguments);
    if (app.ip.find(':') != std::string::npos || app.port == 0)
        std::abort();
    return 0;
}
