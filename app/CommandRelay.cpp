#include "CommandRelay.h"

struct CommandRelay::PendingCall
{
    bool done = false;
};

CommandRelay::CommandRelay() : m_mainThreadContext(std::make_unique<QObject>()) {}

CommandRelay::~CommandRelay()
{
    Close();
    m_mainThreadContext.reset(); // drops calls still queued for the main thread
}

void CommandRelay::SetHandler(CommandHandler* handler)
{
    m_handler = handler;
}

void CommandRelay::ReceiveCommand(int code, const std::u16string& argument)
{
    auto call = std::make_shared<PendingCall>();
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        if (m_closed)
            return;
    }
    // The lambda runs on the context's (main) thread; if the context is destroyed first it never runs.
    QMetaObject::invokeMethod(
        m_mainThreadContext.get(),
        [this, call, code, argument] {
            bool closed;
            {
                std::lock_guard<std::mutex> guard(m_mutex);
                closed = m_closed;
            }
            if (!closed && m_handler != nullptr)
                m_handler->HandleCommand(code, argument);
            {
                std::lock_guard<std::mutex> guard(m_mutex);
                call->done = true;
            }
            m_done.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock<std::mutex> guard(m_mutex);
    m_done.wait(guard, [&] { return call->done || m_closed; });
}

void CommandRelay::Close()
{
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        m_closed = true;
    }
    m_done.notify_all();
}
