#pragma once

#include <string>

// What the control server reads from the main window on its own thread. Implementations answer
// without waiting for the main window's thread (they may take the window lock briefly).
class MainWindowState
{
public:
    virtual ~MainWindowState() = default;
    // The SSL VPN state: 0 stopped, 1 connected, 2 connecting, 3 reconnecting.
    virtual int VpnState() const = 0;
    // 1 when the embedded session of `key` is connected and `program` was running in it (it is then
    // forgotten), else 0.
    virtual int RemoteState(const std::string& key, const std::string& program) = 0;
    // 1 while a remote desktop client started for `ip` runs, else 0.
    virtual int AppState(const std::string& ip) = 0;
};
