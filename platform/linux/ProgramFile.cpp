#include "platform/ProgramFile.h"

#include <limits.h>
#include <unistd.h>
#include <vector>

namespace platform {

std::string RunningProgramPath()
{
    std::vector<char> buffer(PATH_MAX);
    for (;;) {
        ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0)
            return {};
        if (static_cast<size_t>(n) < buffer.size())
            return std::string(buffer.data(), n);
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace platform
