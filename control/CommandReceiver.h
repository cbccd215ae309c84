#pragma once

#include <string>

// The receiving end of command delivery: carries one command out on the main window's thread and
// returns only when that handling has finished. With no main window it drops the command.
class CommandReceiver
{
public:
    virtual ~CommandReceiver() = default;
    virtual void ReceiveCommand(int code, const std::u16string& argument) = 0;
};
