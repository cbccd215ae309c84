#pragma once

#include "common/MutexLock.h"

#include <condition_variable>
#include <deque>
#include <string>
#include <utility>

// The pending commands, oldest first, at most kCapacity of them.
class CommandQueue
{
public:
    static constexpr size_t kCapacity = 1000;

    // False (and the command dropped) when the queue is full.
    bool Push(int code, const std::string& argument);

    // Waits until a command is pending or Close() was called; nothing after Close().
    bool WaitAndTake(int& code, std::string& argument);

    // Wakes every waiter; no command is taken afterwards.
    void Close();

    size_t Size();

private:
    MutexLock m_lock;
    std::condition_variable_any m_changed;
    std::deque<std::pair<int, std::string>> m_commands;
    bool m_closed = false;
};
