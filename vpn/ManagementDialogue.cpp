#include "ManagementDialogue.h"

#include "common/AutoLock.h"

#include <algorithm>
#include <cstring>

namespace {

bool StartsWith(const std::string& text, const char* prefix)
{
    return text.compare(0, std::strlen(prefix), prefix) == 0;
}

} // namespace

ManagementDialogue::ManagementDialogue(Peer peer) : m_peer(std::move(peer)) {}

void ManagementDialogue::Begin(const std::string& managementPassword, const std::string& server,
                               const std::string& user, const std::string& password)
{
    Reset();
    m_managementPassword = managementPassword;
    m_server = server;
    m_user = user;
    m_password = password;
}

void ManagementDialogue::Reset()
{
    {
        AutoLock guard(m_commandLock);
        m_inFlight.clear();
        m_queue.clear();
    }
    m_fill = 0;
}

char* ManagementDialogue::ReceiveSpace(size_t& free)
{
    if (m_fill >= kBufferSize)
        m_fill = 0; // a full buffer without a line end is thrown away
    free = kBufferSize - m_fill;
    return m_buffer.data() + m_fill;
}

void ManagementDialogue::Received(size_t count)
{
    m_fill += count;
    ProcessBuffer();
}

void ManagementDialogue::Receive(const char* data, size_t size)
{
    while (size > 0) {
        size_t free = 0;
        char* space = ReceiveSpace(free);
        size_t n = std::min(free, size);
        std::memcpy(space, data, n);
        data += n;
        size -= n;
        Received(n);
    }
}

void ManagementDialogue::ProcessBuffer()
{
    size_t start = 0;
    while (start < m_fill) {
        const char* begin = m_buffer.data() + start;
        const char* end = m_buffer.data() + m_fill;
        if (!m_managementPassword.empty()) {
            // The password prompt ends with a colon and no line end.
            const char* colon = std::find(begin, end, ':');
            if (colon == end)
                break;
            m_peer.send(m_managementPassword + "\n");
            m_managementPassword.clear();
            start += static_cast<size_t>(colon - begin) + 1;
            continue;
        }
        const char* lineFeed = std::find(begin, end, '\n');
        if (lineFeed == end)
            break;
        // The byte before the line feed is the carriage return the engine ends its lines with.
        std::string line(begin, lineFeed == begin ? begin : lineFeed - 1);
        start += static_cast<size_t>(lineFeed - begin) + 1;
        if (StartsWith(line, ">"))
            OnNotification(line.substr(1));
        else if (StartsWith(line, "SUCCESS:") || StartsWith(line, "ERROR:") || line == "END")
            OnCommandDone();
    }
    std::memmove(m_buffer.data(), m_buffer.data() + start, m_fill - start);
    m_fill -= start;
}

void ManagementDialogue::OnNotification(const std::string& text)
{
    if (StartsWith(text, "LOG:"))
        return;
    if (StartsWith(text, "STATE:"))
        return OnStateLine(text.substr(6));
    if (StartsWith(text, "HOLD:")) {
        SendCommand("state on");
        SendCommand("hold off");
        SendCommand("hold release");
        return;
    }
    if (StartsWith(text, "REMOTE:"))
        return SendCommand("remote MOD " + m_server);
    if (StartsWith(text, "PASSWORD:")) {
        SendCommand("username \"Auth\" " + m_user);
        SendCommand("password \"Auth\" " + m_password);
        return;
    }
    if (StartsWith(text, "INFO:") && m_peer.pause)
        m_peer.pause(100);
}

void ManagementDialogue::OnStateLine(const std::string& text)
{
    size_t first = text.find(',');
    size_t second = first == std::string::npos ? first : text.find(',', first + 1);
    size_t third = second == std::string::npos ? second : text.find(',', second + 1);
    if (third == std::string::npos)
        return;
    std::string name = text.substr(first + 1, second - first - 1);
    std::string description = text.substr(second + 1, third - second - 1);
    if (name == "CONNECTED" && description == "SUCCESS")
        m_state = Connected;
    else if (name == "WAIT" || name == "AUTH" || name == "GET_CONFIG" || name == "ASSIGN_IP" || name == "ADD_ROUTES")
        m_state = Connecting;
    else if (name == "RECONNECTING")
        m_state = Reconnecting;
    if (m_peer.stateChanged)
        m_peer.stateChanged(m_state);
}

void ManagementDialogue::SendCommand(const std::string& command)
{
    {
        AutoLock guard(m_commandLock);
        m_queue.push_back(command + "\n");
    }
    SendNextCommand();
}

void ManagementDialogue::SendNextCommand()
{
    std::string next;
    {
        AutoLock guard(m_commandLock);
        if (!m_inFlight.empty() || m_queue.empty())
            return;
        m_inFlight = m_queue.front();
        m_queue.pop_front();
        next = m_inFlight;
    }
    m_peer.send(next);
}

void ManagementDialogue::OnCommandDone()
{
    {
        AutoLock guard(m_commandLock);
        m_inFlight.clear();
    }
    SendNextCommand();
}
