#include "EngineSwitches.h"

namespace EngineSwitches {

std::string AppendedTo(const std::string& existing)
{
    std::string flags = existing;
    for (const char* s : kSwitches) {
        if (!flags.empty() && flags.back() != ' ')
            flags += ' ';
        flags += s;
    }
    return flags;
}

} // namespace EngineSwitches
