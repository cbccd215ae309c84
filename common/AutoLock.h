#pragma once

#include "BaseLock.h"

// Holds a BaseLock for the lifetime of the guard.
class AutoLock
{
public:
    explicit AutoLock(BaseLock& lock) : m_lock(lock) { m_lock.Lock(); }
    ~AutoLock() { m_lock.Unlock(); }
    AutoLock(const AutoLock&) = delete;
    AutoLock& operator=(const AutoLock&) = delete;

private:
    BaseLock& m_lock;
};
