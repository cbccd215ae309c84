#include "platform/PrinterCatalog.h"

#include <cups/cups.h>

namespace platform {

bool PrinterExists(const std::string& name)
{
    if (name.empty())
        return false;
    cups_dest_t* dests = nullptr;
    int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    // Queue names compare without regard to case in CUPS; the name must still be this queue's own.
    bool found = false;
    for (int i = 0; i < count && !found; ++i)
        found = dests[i].instance == nullptr && name == dests[i].name;
    cupsFreeDests(count, dests);
    return found;
}

int PrinterResolution(const std::string& name)
{
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.c_str(), nullptr);
    if (dest == nullptr)
        return 0;
    int dpi = 0;
    if (cups_dinfo_t* info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest)) {
        if (ipp_attribute_t* attribute = cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, info, "printer-resolution")) {
            ipp_res_t units = IPP_RES_PER_INCH;
            int y = 0;
            int x = ippGetResolution(attribute, 0, &y, &units);
            dpi = units == IPP_RES_PER_INCH ? x : static_cast<int>(x * 2.54 + 0.5);
        }
        cupsFreeDestInfo(info);
    }
    cupsFreeDests(1, dest);
    return dpi;
}

} // namespace platform
