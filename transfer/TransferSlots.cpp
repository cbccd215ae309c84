#include "TransferSlots.h"

#include "FileDownload.h"
#include "common/AutoLock.h"
#include "common/CommandCode.h"

#include <system_error>

TransferSlots::TransferSlots(CommandPoster& poster, std::function<std::string()> dataFolder)
    : m_poster(poster), m_dataFolder(std::move(dataFolder))
{
    InitDownloads();
}

TransferSlots::~TransferSlots()
{
    Stop();
}

void TransferSlots::QueuePrintFile(const std::string& url)
{
    Queue(m_printSlot, url, ToInt(CommandCode::PrintFileReady));
}

void TransferSlots::QueueDownload(const std::string& url, int code)
{
    Queue(m_downloadSlot, url, code);
}

bool TransferSlots::IsPrintBusy()
{
    AutoLock guard(m_slotLock);
    return !m_printSlot.url.empty();
}

void TransferSlots::Queue(Slot& slot, const std::string& url, int code)
{
    std::thread finished;
    {
        AutoLock guard(m_slotLock);
        if (m_stopping || !slot.url.empty() || url.empty())
            return;
        slot.url = url;
        // The slot is empty, so its previous worker has done its last work; it is joined below.
        finished = std::move(slot.worker);
        try {
            slot.worker = std::thread(&TransferSlots::Fetch, this, std::ref(slot), code);
        } catch (const std::system_error&) {
            slot.url.clear(); // no thread, no fetch: the slot must not stay busy
        }
    }
    if (finished.joinable())
        finished.join();
}

void TransferSlots::Fetch(Slot& slot, int code)
{
    std::string url;
    {
        AutoLock guard(m_slotLock);
        url = slot.url;
    }
    std::string localPath;
    if (!url.empty() && DownloadFile(url, m_dataFolder(), localPath, m_stopping) && !m_stopping)
        m_poster.PostCommand(code, "path=" + localPath);
    AutoLock guard(m_slotLock);
    slot.url.clear();
}

void TransferSlots::Stop()
{
    m_stopping = true;
    std::thread print, download;
    {
        AutoLock guard(m_slotLock);
        print = std::move(m_printSlot.worker);
        download = std::move(m_downloadSlot.worker);
    }
    if (print.joinable())
        print.join();
    if (download.joinable())
        download.join();
}
