#include "platform/InstanceLock.h"

#include "platform/linux/RuntimeFolder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {
namespace {

// An exclusive flock on a file in the user's runtime folder; the kernel drops it when the process ends.
class FileInstanceLock : public InstanceLock
{
public:
    explicit FileInstanceLock(int fd) : m_fd(fd) {}
    ~FileInstanceLock() override
    {
        if (m_fd >= 0)
            close(m_fd);
    }

private:
    int m_fd;
};

} // namespace

std::unique_ptr<InstanceLock> InstanceLock::TryAcquire(const std::string& name)
{
    std::string path = UserRuntimeFolder() + "/" + name + ".lock";
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return std::make_unique<FileInstanceLock>(-1); // no place for a lock: run, unguarded

    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return nullptr;
    }
    return std::make_unique<FileInstanceLock>(fd);
}

} // namespace platform
