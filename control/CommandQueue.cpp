#include "CommandQueue.h"

#include <mutex>

bool CommandQueue::Push(int code, const std::string& argument)
{
    {
        std::lock_guard<MutexLock> guard(m_lock);
        if (m_commands.size() >= kCapacity)
            return false;
        m_commands.emplace_back(code, argument);
    }
    m_changed.notify_one();
    return true;
}

bool CommandQueue::WaitAndTake(int& code, std::string& argument)
{
    std::unique_lock<MutexLock> guard(m_lock);
    m_changed.wait(guard, [this] { return m_closed || !m_commands.empty(); });
    if (m_closed)
        return false;
    code = m_commands.front().first;
    argument = std::move(m_commands.front().second);
    m_commands.pop_front();
    return true;
}

void CommandQueue::Close()
{
    {
        std::lock_guard<MutexLock> guard(m_lock);
        m_closed = true;
    }
    m_changed.notify_all();
}

size_t CommandQueue::Size()
{
    std::lock_guard<MutexLock> guard(m_lock);
    return m_commands.size();
}
