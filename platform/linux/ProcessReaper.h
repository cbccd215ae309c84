#pragma once

#include <mutex>
#include <thread>
#include <vector>

namespace platform {

// Reaps child processes whose handles were closed while they still ran: one thread waits on their
// pidfds and collects each exit status as it comes, so no ended child stays a zombie.
class ProcessReaper
{
public:
    static ProcessReaper& Instance();
    ~ProcessReaper();

    // Takes over the pidfd of a running child; it is closed once the child has been reaped.
    void Adopt(int pidfd);

    // How many adopted children have not ended yet.
    size_t Pending();

private:
    ProcessReaper();
    void Run();

    std::mutex m_mutex;
    std::vector<int> m_adopted;
    int m_wake = -1; // eventfd: new child adopted, or stop
    bool m_stop = false;
    std::thread m_thread;
};

} // namespace platform
