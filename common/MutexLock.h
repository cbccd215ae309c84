#pragma once

#include "BaseLock.h"

#include <memory>
#include <mutex>

// The program's lock: a mutex it allocates when constructed and frees when destroyed.
// Not recursive; hold it for the few statements that need it.
class MutexLock : public BaseLock
{
public:
    MutexLock();
    ~MutexLock() override;
    MutexLock(const MutexLock&) = delete;
    MutexLock& operator=(const MutexLock&) = delete;

    void Lock() override;
    void Unlock() override;

    // For std::condition_variable_any and std::unique_lock.
    void lock() { Lock(); }
    void unlock() { Unlock(); }

private:
    std::unique_ptr<std::mutex> m_mutex;
};
