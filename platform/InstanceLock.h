#pragma once

#include <memory>
#include <string>

namespace platform {

// A lock that at most one process of the user holds under a given name; released when the holder
// ends, however it ends.
class InstanceLock
{
public:
    virtual ~InstanceLock() = default;

    // Nothing when another process holds the name already. When no lock file can be made at all the
    // caller still gets a (powerless) lock: refusing to start would be worse than a second instance.
    static std::unique_ptr<InstanceLock> TryAcquire(const std::string& name);
};

} // namespace platform
