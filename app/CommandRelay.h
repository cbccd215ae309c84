#pragma once

#include "control/CommandReceiver.h"

#include <QObject>

#include <condition_variable>
#include <memory>
#include <mutex>

// Executes one delivered command on the main window's thread.
class CommandHandler
{
public:
    virtual ~CommandHandler() = default;
    virtual void HandleCommand(int code, const std::u16string& argument) = 0;
};

// Carries commands from the delivery thread to the Qt main thread and waits there until each one has
// been handled, so commands run one at a time and in order. Unlike a blocking queued connection the
// wait can be given up: Close() releases a delivery thread whose command the main thread will never
// run because it is shutting down.
class CommandRelay : public CommandReceiver
{
public:
    // Create on the main thread.
    CommandRelay();
    ~CommandRelay() override;

    // Main thread only. Without a handler (no main window) commands are dropped.
    void SetHandler(CommandHandler* handler);

    // Called by the delivery thread; returns when the handler has returned, the command was dropped,
    // or the relay was closed.
    void ReceiveCommand(int code, const std::u16string& argument) override;

    // Ends every wait and drops later commands. Main thread, before the delivery thread is joined.
    void Close();

private:
    struct PendingCall;

    std::unique_ptr<QObject> m_mainThreadContext;
    CommandHandler* m_handler = nullptr; // main thread only
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_closed = false;
};
