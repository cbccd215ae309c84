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

    // Nothing when another process holds the name already.
    static std::unique_ptr<InstanceLock> TryAcquire(const std::string& name);
};

} // namespace platform
