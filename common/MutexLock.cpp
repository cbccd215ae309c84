#include "MutexLock.h"

MutexLock::MutexLock() : m_mutex(std::make_unique<std::mutex>()) {}

MutexLock::~MutexLock() = default;

void MutexLock::Lock()
{
    m_mutex->lock();
}

void MutexLock::Unlock()
{
    m_mutex->unlock();
}
