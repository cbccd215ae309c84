#include "platform/Random.h"

#include <cerrno>
#include <sys/random.h>

namespace platform {

std::string RandomBytes(size_t count)
{
    std::string bytes(count, '\0');
    size_t filled = 0;
    while (filled < count) {
        ssize_t n = getrandom(bytes.data() + filled, count - filled, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        filled += static_cast<size_t>(n);
    }
    return bytes;
}

} // namespace platform
