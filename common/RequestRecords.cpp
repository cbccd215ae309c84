#include "RequestRecords.h"

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
        // atol reads a long; the port field is 32 bits, so keep the low 32 bits as a cast would.
        long port = std::strtol(r.ip.c_str() + colon + 1, nullptr, 10); // atol, without its overflow trap
        r.ip.erase(colon);
        if (port != 0)
            r.port = static_cast<int32_t>(port);
    }
    return r;
}
