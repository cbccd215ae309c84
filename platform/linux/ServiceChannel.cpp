#include "platform/ServiceChannel.h"

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform {

ServiceChannel::~ServiceChannel()
{
    Close();
}

bool ServiceChannel::Open(const std::string& path)
{
    Close();
    sockaddr_un address{};
    if (path.size() >= sizeof address.sun_path)
        return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    m_fd = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (m_fd < 0)
        return false;
    if (connect(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        Close();
        return false;
    }
    return true;
}

bool ServiceChannel::Send(const std::string& message, int timeoutMs)
{
    if (m_fd < 0)
        return false;
    pollfd p{m_fd, POLLOUT, 0};
    if (poll(&p, 1, timeoutMs) <= 0 ||
        send(m_fd, message.data(), message.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(message.size())) {
        Close();
        return false;
    }
    return true;
}

void ServiceChannel::Close()
{
    if (m_fd >= 0)
        close(m_fd);
    m_fd = -1;
}

} // namespace platform
