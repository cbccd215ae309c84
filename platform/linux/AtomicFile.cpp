#include "platform/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

bool WriteAll(int fd, std::string_view contents)
{
    while (!contents.empty()) {
        ssize_t n = write(fd, contents.data(), contents.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        contents.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

void SyncFolderOf(const std::string& path)
{
    size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

} // namespace

bool ReplaceFileContents(const std::string& path, std::string_view contents)
{
    std::string temporary = path + ".XXXXXX";
    int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    // mkostemp makes 0600: keep the old file's permissions, or give a new one the usual 0644.
    struct stat old {};
    fchmod(fd, stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);
    bool written = WriteAll(fd, contents) && fsync(fd) == 0;
    written = close(fd) == 0 && written;
    if (!written || rename(temporary.c_str(), path.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    SyncFolderOf(path);
    return true;
}

} // namespace platform
