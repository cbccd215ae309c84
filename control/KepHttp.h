#pragma once

#include "CommandQueue.h"
#include "CommandReceiver.h"
#include "MainWindowState.h"
#include "common/CommandPoster.h"
#include "transfer/TransferSlots.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace boost::asio {
class io_context;
}
class HttpListener;

// The control server: a plain HTTP server on 127.0.0.1 (first free port of 21010..21014) that answers
// the portal's requests on one poll thread and queues commands, which a delivery thread hands to the
// main window one at a time.
class KepHttp : public CommandPoster
{
public:
    KepHttp();
    ~KepHttp() override;
    KepHttp(const KepHttp&) = delete;
    KepHttp& operator=(const KepHttp&) = delete;

    // Chooses the port, listens and starts the threads. No free port: nothing starts. The listener
    // fails: only the delivery thread runs.
    void StartServer();

    // Ends both threads and every fetch, and closes the listener and its connections.
    void Stop();

    // Where delivered commands go; set before StartServer. Without one, commands are dropped.
    void SetCommandReceiver(CommandReceiver* receiver);

    // The main window registers here while it exists; the poll thread reads it only under the link lock,
    // so Detach returns only when no request is using it any more.
    void AttachWindowState(MainWindowState* window);
    void DetachWindowState();

    // Answers one request: fills `reply` (on entry "OK") and returns the HTTP status.
    int DispatchRequest(const std::string& path, const std::string& query, std::string& reply);

    void PostCommand(int code, const std::string& argument) override;

    // Commands queued and not yet taken by the delivery thread.
    size_t PendingCommands() { return m_queue.Size(); }

    // The port listened on, or 0.
    int ListeningPort() const { return m_port; }
    bool PollThreadRunning() const { return m_pollThread.joinable(); }
    bool DeliveryThreadRunning() const { return m_deliveryThread.joinable(); }

private:
    void PollLoop();
    void DeliveryLoop();

    int AnswerInit(const std::string& query, std::string& reply);
    int AnswerVpnState(const std::string& query, std::string& reply);
    int AnswerRemoteState(const std::string& query, std::string& reply);
    int AnswerAppState(const std::string& query, std::string& reply);
    int AnswerClientVersion(const std::string& query, std::string& reply);
    int AnswerPrintingStatus(const std::string& query, std::string& reply);
    int StartPrintFetch(const std::string& query, std::string& reply);
    int StartExecuteFetch(const std::string& query, std::string& reply);
    int StartUpdateFetch(const std::string& query, std::string& reply);

    std::atomic<int> m_running{1};
    std::atomic<int> m_port{0};
    std::unique_ptr<boost::asio::io_context> m_io;
    std::shared_ptr<HttpListener> m_listener;
    CommandQueue m_queue;
    TransferSlots m_transfers;
    std::atomic<CommandReceiver*> m_receiver{nullptr};
    std::mutex m_windowLink;
    MainWindowState* m_window = nullptr;
    std::thread m_pollThread;
    std::thread m_deliveryThread;
};
