#include "ClientWatchers.h"

#include "platform/Process.h"

#include <cerrno>
#include <poll.h>
#include <sys/eventfd.h>
#include <system_error>
#include <unistd.h>

ClientWatchers::ClientWatchers() : m_stop(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

ClientWatchers::~ClientWatchers()
{
    Stop();
    close(m_stop);
}

bool ClientWatchers::Watch(int process, std::function<void()> onEnded)
{
    JoinFinished();
    std::lock_guard<std::mutex> guard(m_mutex);
    Watcher& watcher = m_watchers.emplace_back();
    try {
        watcher.thread = std::thread(&ClientWatchers::Wait, this, &watcher, process, std::move(onEnded));
    } catch (const std::system_error&) {
        m_watchers.pop_back();
        return false;
    }
    return true;
}

void ClientWatchers::Wait(Watcher* self, int process, const std::function<void()>& onEnded)
{
    pollfd fds[2] = {{process, POLLIN, 0}, {m_stop, POLLIN, 0}};
    int n;
    do {
        n = poll(fds, 2, -1);
    } while (n < 0 && errno == EINTR);
    bool ended = n > 0 && fds[0].revents != 0 && fds[1].revents == 0;
    if (ended)
        platform::WaitForProcess(process, 0); // collect the exit status
    platform::CloseProcessHandle(process);
    if (ended)
        onEnded();
    std::lock_guard<std::mutex> guard(m_mutex);
    self->done = true;
}

void ClientWatchers::JoinFinished()
{
    std::list<Watcher> finished;
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        for (auto it = m_watchers.begin(); it != m_watchers.end();) {
            auto next = std::next(it);
            if (it->done)
                finished.splice(finished.end(), m_watchers, it);
            it = next;
        }
    }
    for (Watcher& watcher : finished)
        watcher.thread.join();
}

void ClientWatchers::Stop()
{
    uint64_t one = 1;
    [[maybe_unused]] ssize_t n = write(m_stop, &one, sizeof one);
    std::list<Watcher> all;
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        all.swap(m_watchers);
    }
    for (Watcher& watcher : all)
        watcher.thread.join();
}
