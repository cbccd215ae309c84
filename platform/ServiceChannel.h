#pragma once

#include <string>

namespace platform {

// A message channel to a local service: a Unix socket of the sequenced-packet kind, so that one write is
// one message, as with a message pipe.
class ServiceChannel
{
public:
    ServiceChannel() = default;
    ~ServiceChannel();
    ServiceChannel(const ServiceChannel&) = delete;
    ServiceChannel& operator=(const ServiceChannel&) = delete;

    // Connects to the service listening at `path`; false when none listens there.
    bool Open(const std::string& path);
    // Sends one message, waiting at most `timeoutMs` for the service to take it; false on failure or
    // timeout (the channel is closed then).
    bool Send(const std::string& message, int timeoutMs);
    void Close();
    bool IsOpen() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

} // namespace platform
