#include "HostFolder.h"

#include "platform/ProgramFile.h"

#include <mutex>

namespace {
std::mutex g_mutex;
std::string g_override;
} // namespace

std::string ModuleDirectory()
{
    {
        std::lock_guard<std::mutex> guard(g_mutex);
        if (!g_override.empty())
            return g_override;
    }
    std::string path = platform::RunningProgramPath();
    size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

void SetModuleDirectoryForTesting(const std::string& folder)
{
    std::lock_guard<std::mutex> guard(g_mutex);
    g_override = folder;
}
