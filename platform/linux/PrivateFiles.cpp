#include "platform/PrivateFiles.h"

#include "platform/linux/RuntimeFolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

std::string RuntimeFilePath(const std::string& name)
{
    return UserRuntimeFolder() + "/" + name;
}

std::string WritePrivateFile(const std::string& name, const std::string& contents)
{
    std::string folder = UserRuntimeFolder() + "/orvanta-private";
    mkdir(folder.c_str(), 0700);
    struct stat st {};
    if (lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != getuid() || (st.st_mode & 077) != 0)
        return {};
    std::string path = folder + "/" + name;
    unlink(path.c_str());
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return {};
    bool written = write(fd, contents.data(), contents.size()) == static_cast<ssize_t>(contents.size());
    written = close(fd) == 0 && written;
    if (!written) {
        unlink(path.c_str());
        return {};
    }
    return path;
}

void RemoveFile(const std::string& path)
{
    if (!path.empty())
        unlink(path.c_str());
}

} // namespace platform
