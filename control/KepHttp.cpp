#include "KepHttp.h"

#include "HttpListener.h"
#include "HttpReply.h"
#include "PortChoice.h"
#include "RequestText.h"
#include "Version.h"
#include "common/ArgumentList.h"
#include "common/CommandCode.h"
#include "common/HostFolder.h"
#include "common/TextCodec.h"

#include <boost/asio/executor_work_guard.hpp>
#include <boost/asio/io_context.hpp>

#include <chrono>
#include <system_error>

namespace {

constexpr auto kPollSlice = std::chrono::milliseconds(100);

using Answer = int (KepHttp::*)(const std::string& query, std::string& reply);

// One row of the endpoint table: either a command to queue or a function that answers.
struct Endpoint
{
    const char* path;
    int command; // 0: answered by `answer`
    Answer answer;
};

std::string DataFolder()
{
    return ModuleDirectory() + "/Data";
}

} // namespace

KepHttp::KepHttp() : m_transfers(*this, DataFolder) {}

KepHttp::~KepHttp()
{
    Stop();
}

void KepHttp::SetCommandReceiver(CommandReceiver* receiver)
{
    m_receiver = receiver;
}

void KepHttp::AttachWindowState(MainWindowState* window)
{
    std::lock_guard<std::mutex> guard(m_windowLink);
    m_window = window;
}

void KepHttp::DetachWindowState()
{
    std::lock_guard<std::mutex> guard(m_windowLink);
    m_window = nullptr;
}

void KepHttp::StartServer()
{
    std::vector<int> ports = FindFreePort();
    if (ports.empty())
        return;

    m_io = std::make_unique<boost::asio::io_context>(1);
    auto listener = std::make_shared<HttpListener>(*m_io, [this](std::string_view target) {
        RequestTarget parts = SplitTarget(target);
        std::string reply = "OK";
        int status = DispatchRequest(DecodeRequestText(parts.path), DecodeRequestText(parts.query), reply);
        return BuildReply(status, reply);
    });
    // No retry on the next candidate: the portal finds the client by trying all five ports anyway.
    if (listener->Listen(ports.front())) {
        listener->StartAccepting();
        m_listener = listener;
        m_running = 1;
        try {
            m_pollThread = std::thread(&KepHttp::PollLoop, this);
            m_port = ports.front();
        } catch (const std::system_error&) {
            m_running = 0;
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
            m_listener->Close();
            m_listener.reset();
            m_io.reset();
        }
    }
    if (m_running) {
        try {
            m_deliveryThread = std::thread(&KepHttp::DeliveryLoop, this);
        } catch (const std::system_error&) {
        }
    }
}

void KepHttp::Stop()
{
    m_running = 0;
    m_queue.Close();
    if (m_pollThread.joinable())
        m_pollThread.join();
    if (m_deliveryThread.joinable())
        m_deliveryThread.join();
    m_transfers.Stop();
    if (m_listener)
        m_listener->Close();
    // Destroying the loop destroys every open connection with it.
    m_io.reset();
    m_listener.reset();
    m_port = 0;
}

void KepHttp::PollLoop()
{
    auto work = boost::asio::make_work_guard(*m_io);
    while (m_running)
        m_io->run_for(kPollSlice);
}

void KepHttp::DeliveryLoop()
{
    int code = 0;
    std::string argument;
    while (m_running && m_queue.WaitAndTake(code, argument)) {
        CommandReceiver* receiver = m_receiver;
        if (code != 0 && receiver != nullptr)
            receiver->ReceiveCommand(code, TextCodec::AnsiToUtf16(argument));
        argument.clear();
    }
}

void KepHttp::PostCommand(int code, const std::string& argument)
{
    m_queue.Push(code, argument); // a full queue drops the command; the portal is not told
}

int KepHttp::DispatchRequest(const std::string& path, const std::string& query, std::string& reply)
{
    // In matching order; the first row whose path equals the request's path exactly decides.
    static const Endpoint kEndpoints[] = {
        {"/init", 0, &KepHttp::AnswerInit},
        {"/vpn-state", 0, &KepHttp::AnswerVpnState},
        {"/remote_state", 0, &KepHttp::AnswerRemoteState},
        {"/app_state", 0, &KepHttp::AnswerAppState},
        {"/openvpn", ToInt(CommandCode::OpenVpn), nullptr},
        {"/createdisk", ToInt(CommandCode::CreateDisk), nullptr},
        {"/openapp", ToInt(CommandCode::OpenApp), nullptr},
        {"/remoteapp", ToInt(CommandCode::RemoteApp), nullptr},
        {"/openurl", ToInt(CommandCode::OpenUrl), nullptr},
        {"/loginout", ToInt(CommandCode::Loginout), nullptr},
        {"/web-homepage", ToInt(CommandCode::WebHomepage), nullptr},
        {"/web-apppage", ToInt(CommandCode::WebApppage), nullptr},
        {"/client-version", 0, &KepHttp::AnswerClientVersion},
        {"/printing-file", 0, &KepHttp::StartPrintFetch},
        {"/excute", 0, &KepHttp::StartExecuteFetch},
        {"/update", 0, &KepHttp::StartUpdateFetch},
        {"/printing-status", 0, &KepHttp::AnswerPrintingStatus},
        {"/browser", ToInt(CommandCode::Browser), nullptr},
        {"/SSOInfo", ToInt(CommandCode::SsoInfo), nullptr},
    };
    for (const Endpoint& endpoint : kEndpoints) {
        if (path != endpoint.path)
            continue;
        if (endpoint.answer != nullptr)
            return (this->*endpoint.answer)(query, reply);
        PostCommand(endpoint.command, query);
        return 200;
    }
    reply = "FAILED";
    return 405;
}

int KepHttp::AnswerInit(const std::string&, std::string& reply)
{
    reply = "OK_1";
    return 200;
}

int KepHttp::AnswerVpnState(const std::string&, std::string& reply)
{
    std::lock_guard<std::mutex> guard(m_windowLink);
    reply = std::to_string(m_window != nullptr ? m_window->VpnState() : 0);
    return 200;
}

int KepHttp::AnswerRemoteState(const std::string& query, std::string& reply)
{
    int state = 0;
    std::vector<std::string> fields = SplitFields(query);
    {
        std::lock_guard<std::mutex> guard(m_windowLink);
        if (m_window != nullptr && fields.size() >= 2)
            state = m_window->RemoteState(fields[0], fields[1]);
    }
    reply = query + std::string(kFieldSeparator) + std::to_string(state);
    return 200;
}

int KepHttp::AnswerAppState(const std::string& query, std::string& reply)
{
    int state = 0;
    std::vector<std::string> fields = SplitFields(query);
    {
        std::lock_guard<std::mutex> guard(m_windowLink);
        if (m_window != nullptr && !fields.empty())
            state = m_window->AppState(fields[0]);
    }
    reply = query + std::string(kFieldSeparator) + std::to_string(state);
    return 200;
}

int KepHttp::AnswerClientVersion(const std::string&, std::string& reply)
{
    reply = TextCodec::Utf8ToAnsi(kProductVersion);
    return 200;
}

int KepHttp::AnswerPrintingStatus(const std::string&, std::string& reply)
{
    reply = m_transfers.IsPrintBusy() ? "BUSY" : "OK";
    return 200;
}

int KepHttp::StartPrintFetch(const std::string& query, std::string&)
{
    m_transfers.QueuePrintFile(query);
    return 200;
}

int KepHttp::StartExecuteFetch(const std::string& query, std::string&)
{
    m_transfers.QueueDownload(query, ToInt(CommandCode::ExecuteFileReady));
    return 200;
}

int KepHttp::StartUpdateFetch(const std::string& query, std::string&)
{
    m_transfers.QueueDownload(query, ToInt(CommandCode::UpdateFileReady));
    return 200;
}
