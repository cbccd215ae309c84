#pragma once

// An abstract lock: whoever holds a BaseLock& can take and release it without knowing what it is.
class BaseLock
{
public:
    virtual ~BaseLock() = default;
    virtual void Lock() = 0;
    virtual void Unlock() = 0;
};
