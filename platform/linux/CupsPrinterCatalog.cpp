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

} // namespace platform
