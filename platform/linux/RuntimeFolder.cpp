#include "platform/linux/RuntimeFolder.h"

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

std::string UserRuntimeFolder()
{
    const char* xdg = std::getenv("XDG_RUNTIME_DIR");
    struct stat xdgStat {};
    if (xdg != nullptr && *xdg == '/' && stat(xdg, &xdgStat) == 0 && S_ISDIR(xdgStat.st_mode))
        return xdg;
    std::string folder = "/tmp/orvanta-" + std::to_string(getuid());
    mkdir(folder.c_str(), 0700);
    struct stat st {};
    // Refuse a folder someone else planted there.
    if (lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != getuid())
        return "/tmp";
    return folder;
}

} // namespace platform
