#include "platform/NetworkAdapters.h"

#include <fstream>
#include <net/if.h>

namespace platform {

std::vector<NetworkAdapter> NetworkAdapters()
{
    std::vector<NetworkAdapter> adapters;
    struct if_nameindex* names = if_nameindex();
    if (names == nullptr)
        return adapters;
    for (struct if_nameindex* n = names; n->if_index != 0 && n->if_name != nullptr; ++n) {
        NetworkAdapter adapter{n->if_name, {}};
        std::ifstream alias(std::string("/sys/class/net/") + n->if_name + "/ifalias");
        std::getline(alias, adapter.description);
        adapters.push_back(adapter);
    }
    if_freenameindex(names);
    return adapters;
}

} // namespace platform
