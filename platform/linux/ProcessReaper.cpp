#include "platform/linux/ProcessReaper.h"

#include <cerrno>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/wait.h>
#include <unistd.h>

#ifndef P_PIDFD
#define P_PIDFD 3
#endif

namespace platform {

ProcessReaper& ProcessReaper::Instance()
{
    static ProcessReaper reaper;
    return reaper;
}

ProcessReaper::ProcessReaper() : m_wake(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
    m_thread = std::thread(&ProcessReaper::Run, this);
}

ProcessReaper::~ProcessReaper()
{
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        m_stop = true;
    }
    uint64_t one = 1;
    [[maybe_unused]] ssize_t n = write(m_wake, &one, sizeof one);
    if (m_thread.joinable())
        m_thread.join();
    for (int fd : m_adopted)
        close(fd);
    close(m_wake);
}

void ProcessReaper::Adopt(int pidfd)
{
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        m_adopted.push_back(pidfd);
    }
    uint64_t one = 1;
    [[maybe_unused]] ssize_t n = write(m_wake, &one, sizeof one);
}

size_t ProcessReaper::Pending()
{
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_adopted.size();
}

void ProcessReaper::Run()
{
    std::vector<pollfd> fds;
    for (;;) {
        {
            std::lock_guard<std::mutex> guard(m_mutex);
            if (m_stop)
                return;
            fds.assign(1, pollfd{m_wake, POLLIN, 0});
            for (int fd : m_adopted)
                fds.push_back(pollfd{fd, POLLIN, 0});
        }
        if (poll(fds.data(), fds.size(), -1) < 0 && errno != EINTR)
            return;
        uint64_t count;
        [[maybe_unused]] ssize_t n = read(m_wake, &count, sizeof count);

        std::lock_guard<std::mutex> guard(m_mutex);
        for (size_t i = 1; i < fds.size(); ++i) {
            if (fds[i].revents == 0)
                continue;
            siginfo_t info{};
            waitid(static_cast<idtype_t>(P_PIDFD), static_cast<id_t>(fds[i].fd), &info, WEXITED | WNOHANG);
            std::erase(m_adopted, fds[i].fd);
            close(fds[i].fd);
        }
    }
}

} // namespace platform
