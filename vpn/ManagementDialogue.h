#pragma once

#include "common/MutexLock.h"

#include <array>
#include <atomic>
#include <deque>
#include <functional>
#include <string>

// The client side of the engine's management conversation, apart from the socket: it answers the
// management password prompt, releases the engine from its hold, names the server, gives the user's
// credentials, and turns state notifications into the VPN state code. One command is in flight at a time.
class ManagementDialogue
{
public:
    enum State { Stopped = 0, Connected = 1, Connecting = 2, Reconnecting = 3 };

    static constexpr size_t kBufferSize = 4096;

    // Where the dialogue's effects go: bytes to the engine, and every evaluated state notification.
    struct Peer
    {
        std::function<void(const std::string& bytes)> send;
        std::function<void(int state)> stateChanged;
        std::function<void(int milliseconds)> pause; // the short wait after an INFO notification
    };

    explicit ManagementDialogue(Peer peer);

    // A new engine: the password prompt is to be answered once with `managementPassword`; the other texts
    // answer the engine's questions.
    void Begin(const std::string& managementPassword, const std::string& server, const std::string& user,
               const std::string& password);

    // Bytes that arrived; whole units are handled, a partial one waits for more.
    void Receive(const char* data, size_t size);

    // Where the next bytes go, and how many fit (a full buffer is emptied first).
    char* ReceiveSpace(size_t& free);
    void Received(size_t count);

    // Forgets the commands and the buffered bytes.
    void Reset();

    int state() const { return m_state; }
    // True until the management password prompt has been answered.
    bool PasswordPending() const { return !m_managementPassword.empty(); }
    void SetState(int state) { m_state = state; }

    // Evaluates the text after ">STATE:".
    void OnStateLine(const std::string& text);
    // Queues one command line (without its line feed) and sends it when no other is in flight.
    void SendCommand(const std::string& command);

private:
    void ProcessBuffer();
    void OnNotification(const std::string& text);
    void SendNextCommand();
    void OnCommandDone();

    Peer m_peer;
    std::string m_server;
    std::string m_user;
    std::string m_password;
    std::string m_managementPassword; // empty once the prompt has been answered
    MutexLock m_commandLock;
    std::string m_inFlight;
    std::deque<std::string> m_queue;
    std::array<char, kBufferSize> m_buffer{};
    size_t m_fill = 0;
    std::atomic<int> m_state{Stopped};
};
