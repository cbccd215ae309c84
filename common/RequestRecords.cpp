#include "RequestRecords.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <utility>

namespace {

template <typename Record>
using FieldTable = std::initializer_list<std::pair<const char*, std::string Record::*>>;

template <typename Record>
void FillFields(Record& record, const ArgumentMap& arguments, FieldTable<Record> table)
{
    for (const auto& [key, member] : table) {
        auto it = arguments.find(key);
        if (it != arguments.end())
            record.*member = it->second;
    }
}

// Reads a decimal number as atol does with a 32-bit long: leading blanks and a sign allowed, trailing
// text ignored, out-of-range values held at the limit, no number at all is 0.
int32_t ReadPortNumber(const char* text)
{
    long long value = std::strtoll(text, nullptr, 10);
    return static_cast<int32_t>(std::clamp<long long>(value, INT32_MIN, INT32_MAX));
}

} // namespace

VpnRequest VpnRequest::FromArguments(const ArgumentMap& arguments)
{
    VpnRequest r;
    FillFields<VpnRequest>(r, arguments,
                           {{"entry", &VpnRequest::entry},
                            {"user", &VpnRequest::user},
                            {"passwd", &VpnRequest::passwd},
                            {"mask", &VpnRequest::mask},
                            {"gateway", &VpnRequest::gateway},
                            {"maskmode", &VpnRequest::maskmode}});
    return r;
}

DiskRequest DiskRequest::FromArguments(const ArgumentMap& arguments)
{
    DiskRequest r;
    FillFields<DiskRequest>(r, arguments,
                            {{"path", &DiskRequest::path},
                             {"user1", &DiskRequest::user1},
                             {"user2", &DiskRequest::user2},
                             {"passwd", &DiskRequest::passwd}});
    return r;
}

OpenAppRequest OpenAppRequest::FromArguments(const ArgumentMap& arguments)
{
    OpenAppRequest r;
    FillFields<OpenAppRequest>(r, arguments,
                               {{"path", &OpenAppRequest::path},
                                {"ip", &OpenAppRequest::ip},
                                {"user", &OpenAppRequest::user},
                                {"passwd", &OpenAppRequest::passwd},
                                {"size", &OpenAppRequest::size},
                                {"app", &OpenAppRequest::app},
                                {"param", &OpenAppRequest::param},
                                {"depth", &OpenAppRequest::depth},
                                {"clip", &OpenAppRequest::clip},
                                {"drive", &OpenAppRequest::drive},
                                {"printer", &OpenAppRequest::printer},
                                {"usb", &OpenAppRequest::usb}});
    size_t colon = r.ip.find(':');
    if (colon != std::string::npos) {
        int32_t port = ReadPortNumber(r.ip.c_str() + colon + 1);
        r.ip.erase(colon);
        if (port != 0)
            r.port = port;
    }
    return r;
}
