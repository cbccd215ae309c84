#pragma once

#include <functional>
#include <list>
#include <mutex>
#include <thread>

// The threads that wait for started clients to end, one per client. They can all be released and
// joined at once when the library goes away.
class ClientWatchers
{
public:
    ClientWatchers();
    ~ClientWatchers();

    // Starts a thread that waits until `process` (a handle the thread owns and closes) has ended and then
    // calls `onEnded`; released without calling it by Stop(). False when no thread could be started.
    bool Watch(int process, std::function<void()> onEnded);

    // Releases and joins every watcher.
    void Stop();

private:
    struct Watcher
    {
        std::thread thread;
        bool done = false;
    };

    void Wait(Watcher* self, int process, const std::function<void()>& onEnded);
    void JoinFinished();

    std::mutex m_mutex;
    std::list<Watcher> m_watchers;
    int m_stop = -1; // eventfd, readable once Stop() was called
};
