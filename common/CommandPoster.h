#pragma once

#include <string>

// Something that accepts commands for the main window: the control server's queue.
class CommandPoster
{
public:
    virtual ~CommandPoster() = default;
    // Appends one command; may drop it silently when the queue is full.
    virtual void PostCommand(int code, const std::string& argument) = 0;
};
