#pragma once

#include "control/KepHttp.h"

#include <condition_variable>
#include <mutex>
#include <vector>

// A control server that records the commands it is asked to queue instead of queueing them.
class RecordingServer : public KepHttp
{
public:
    // Fetch threads post here: end them while this object is still whole.
    ~RecordingServer() override { Stop(); }

    void PostCommand(int code, const std::string& argument) override
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        m_posted.emplace_back(code, argument);
        m_changed.notify_all();
    }

    std::vector<std::pair<int, std::string>> WaitForPosted(size_t count, int seconds = 20)
    {
        std::unique_lock<std::mutex> guard(m_mutex);
        m_changed.wait_for(guard, std::chrono::seconds(seconds), [&] { return m_posted.size() >= count; });
        return m_posted;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::pair<int, std::string>> m_posted;
};

// A main window with fixed answers that counts the remote-state look-ups.
class FakeWindowState : public MainWindowState
{
public:
    int VpnState() const override { return 2; }
    int RemoteState(const std::string& key, const std::string& program) override
    {
        ++remoteLookups;
        return key == "pc1" && program == "notepad.exe" ? 1 : 0;
    }
    int AppState(const std::string& ip) override { return ip == "srv1" ? 1 : 0; }

    int remoteLookups = 0;
};
