#pragma once

#include "common/CommandPoster.h"
#include "common/MutexLock.h"

#include <atomic>
#include <functional>
#include <string>
#include <thread>

// The two transfer slots of the control server: one print fetch and one execute/update fetch at a
// time. A request for a busy slot is dropped. Each accepted fetch runs on a thread of its own and, when
// it succeeds, posts its command with the argument "path=" + the local file.
class TransferSlots
{
public:
    // `dataFolder` gives the folder fetched files go to; asked on every fetch.
    TransferSlots(CommandPoster& poster, std::function<std::string()> dataFolder);
    ~TransferSlots();
    TransferSlots(const TransferSlots&) = delete;
    TransferSlots& operator=(const TransferSlots&) = delete;

    void QueuePrintFile(const std::string& url);
    // `code` is the command posted on success (8 for /excute, 9 for /update).
    void QueueDownload(const std::string& url, int code);

    // True while a print file is being fetched.
    bool IsPrintBusy();

    // Aborts running fetches and waits for their threads; later requests are dropped.
    void Stop();

private:
    struct Slot
    {
        std::string url;
        std::thread worker;
    };

    void Queue(Slot& slot, const std::string& url, int code);
    void Fetch(Slot& slot, int code);

    CommandPoster& m_poster;
    std::function<std::string()> m_dataFolder;
    MutexLock m_slotLock;
    Slot m_printSlot;
    Slot m_downloadSlot;
    std::atomic<bool> m_stopping{false};
};
