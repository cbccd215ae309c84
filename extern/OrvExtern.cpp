#include "OrvExtern.h"

#include "ClientCommandLine.h"
#include "ClientWatchers.h"
#include "common/AutoLock.h"
#include "common/CommandLine.h"
#include "common/HostFolder.h"
#include "common/MutexLock.h"
#include "platform/Process.h"

#include <atomic>
#include <chrono>
#include <map>
#include <thread>

namespace {

// A started client: its process and the window title it was given (unique per launch).
struct RdpProcess
{
    platform::ProcessHandle process = platform::kNoProcess;
    std::string title;
};

// Everything the library keeps for the whole process. Created when the library is loaded; at unload the
// watchers are released and joined first, then the registry goes (its clients keep running).
struct LibraryState
{
    MutexLock registryLock;
    std::map<std::string, RdpProcess> rdpProcessMap;
    std::atomic<int> launchCounter{0};
    std::atomic<OrvExtern*> currentInstance{nullptr};
    ClientWatchers watchers; // declared last: destroyed first
};

LibraryState g_state;

std::string Quoted(const std::string& path)
{
    return "\"" + path + "\"";
}

// Removes the entry of `key` when it still belongs to the launch titled `title`, and closes its handle.
// A watcher of an earlier client must not take away a later client's entry for the same server.
void ForgetEndedClient(const std::string& key, const std::string& title)
{
    platform::ProcessHandle process = platform::kNoProcess;
    {
        AutoLock guard(g_state.registryLock);
        auto it = g_state.rdpProcessMap.find(key);
        if (it == g_state.rdpProcessMap.end() || it->second.title != title)
            return; // removed (and closed) by CloseRdpProcess already
        process = it->second.process;
        g_state.rdpProcessMap.erase(it);
    }
    platform::CloseProcessHandle(process);
}

} // namespace

OrvExtern::OrvExtern()
{
    g_state.currentInstance = this;
}

OrvExtern::OrvExtern(const OrvExtern& other)
    : m_vpnConnection(other.m_vpnConnection), m_gateway(other.m_gateway), m_maskAddr(other.m_maskAddr),
      m_maskMode(other.m_maskMode), m_adapterAddr(other.m_adapterAddr)
{
}

OrvExtern& OrvExtern::operator=(const OrvExtern& other)
{
    m_vpnConnection = other.m_vpnConnection;
    m_gateway = other.m_gateway;
    m_maskAddr = other.m_maskAddr;
    m_maskMode = other.m_maskMode;
    m_adapterAddr = other.m_adapterAddr;
    return *this;
}

OrvExtern::~OrvExtern()
{
    g_state.currentInstance = nullptr;
}

OrvExtern* OrvExtern::CurrentInstance()
{
    return g_state.currentInstance;
}

void OrvExtern::CloseVPN()
{
    // No dial-up backend exists on this system, so no connection is ever started to hang up.
    m_vpnConnection = nullptr;
}

bool OrvExtern::OnOpenApp(const char*, const char* ip, const char* user, const char* passwd, const char* size,
                          const char* app, const char*, const char* depth, const char* clip, const char* drive,
                          const char* printer, const char* usb, int port)
{
    std::string key = ip != nullptr ? ip : "";
    {
        AutoLock guard(g_state.registryLock);
        auto it = g_state.rdpProcessMap.find(key);
        if (it != g_state.rdpProcessMap.end()) {
            TopRaiser(it->second.title);
            return true;
        }
    }
    // The number is used up before the start, so a failed start skips it.
    std::string title = "Orvanta Client #" + std::to_string(++g_state.launchCounter);
    std::string program = Quoted(GetCurPath() + "/OrvantaClient");
    std::string arguments = ClientCommandLine::OpenAppArguments(ip, user, passwd, size, app, depth, clip, drive,
                                                                printer, usb, port, title);
    platform::ProcessHandle process = ExecutCmd(program.c_str(), arguments.c_str());
    if (process == platform::kNoProcess)
        return false;
    {
        AutoLock guard(g_state.registryLock);
        RdpProcess& entry = g_state.rdpProcessMap[key];
        if (entry.process != platform::kNoProcess)
            platform::CloseProcessHandle(entry.process); // never happens from one thread; never leak
        entry = {process, title};
    }
    platform::ProcessHandle watched = platform::DuplicateProcessHandle(process);
    bool watching = watched != platform::kNoProcess &&
                    g_state.watchers.Watch(watched, [key, title] { ForgetEndedClient(key, title); });
    if (!watching) {
        if (watched != platform::kNoProcess)
            platform::CloseProcessHandle(watched);
        bool removed = false;
        {
            AutoLock guard(g_state.registryLock);
            auto it = g_state.rdpProcessMap.find(key);
            if (it != g_state.rdpProcessMap.end() && it->second.title == title) {
                g_state.rdpProcessMap.erase(it);
                removed = true;
            }
        }
        if (removed)
            CloseRdpProcess(key.c_str(), process, true);
    }
    // Give the client a moment to open its window, then bring it to the front.
    std::this_thread::sleep_for(std::chrono::milliseconds(1000));
    TopRaiser(title);
    return true;
}

bool OrvExtern::OnRemoteApp(const char*, const char* ip, const char* user, const char* passwd, const char*,
                            const char* app, const char*, const char* depth, const char* clip, const char* drive,
                            const char* printer, const char* usb, int)
{
    // Composed and left unused: the host runs RemoteApp programs in its own embedded sessions.
    [[maybe_unused]] std::string arguments =
        ClientCommandLine::RemoteAppArguments(ip, user, passwd, app, depth, clip, drive, printer, usb);
    return true;
}

int OrvExtern::GetAppState(const char* ip)
{
    AutoLock guard(g_state.registryLock);
    return g_state.rdpProcessMap.count(ip != nullptr ? ip : "") != 0 ? 1 : 0;
}

void OrvExtern::OnCreateDisk(const char* a, const char* b, const char* c, const char* d)
{
    auto text = [](const char* t) { return std::string(t != nullptr ? t : ""); };
    std::string command =
        Quoted(GetCurPath() + "/trovent_con.sh") + " " + text(a) + " " + text(b) + " " + text(c) + " " + text(d);
    platform::CloseProcessHandle(ExecutCmd(command.c_str(), nullptr));
}

void OrvExtern::OnLoginout()
{
    CloseRdpProcess(true);
    CloseShareDisk();
    CloseVPN();
}

bool OrvExtern::EraseRdpProcess(const char* key)
{
    AutoLock guard(g_state.registryLock);
    return g_state.rdpProcessMap.erase(key != nullptr ? key : "") != 0;
}

void OrvExtern::CloseRdpProcess(bool terminate)
{
    AutoLock guard(g_state.registryLock);
    for (auto& [key, entry] : g_state.rdpProcessMap)
        CloseRdpProcess(key.c_str(), entry.process, terminate);
    g_state.rdpProcessMap.clear();
}

void OrvExtern::CloseRdpProcess(const char*, ProcessHandle process, bool terminate)
{
    if (terminate)
        platform::TerminateProcess(process);
    platform::CloseProcessHandle(process);
}

OrvExtern::ProcessHandle OrvExtern::GetRdpHandle(const std::string& key)
{
    AutoLock guard(g_state.registryLock);
    auto it = g_state.rdpProcessMap.find(key);
    return it != g_state.rdpProcessMap.end() ? it->second.process : platform::kNoProcess;
}

void OrvExtern::OnClearRdpProcess() {}

void OrvExtern::CloseShareDisk()
{
    std::string command = Quoted(GetCurPath() + "/trovent_close.sh");
    platform::CloseProcessHandle(ExecutCmd(command.c_str(), nullptr));
}

OrvExtern::ProcessHandle OrvExtern::ExecutCmd(const char* command, const char* arguments)
{
    if (command == nullptr)
        return platform::kNoProcess;
    // The expanded command, then the argument text as it is. The window station and WOW64 redirection of
    // other systems have no counterpart here; the program simply starts without a console of its own.
    std::string line = ExpandEnvironmentReferences(command);
    if (arguments != nullptr)
        line.append(" ").append(arguments);
    return platform::StartProcess(SplitCommandLine(line));
}

bool OrvExtern::IsWow64()
{
    // There is no 32-bit file-system redirection to switch off on this system.
    return false;
}

std::string OrvExtern::GetCurPath()
{
    return ModuleDirectory();
}

bool OrvExtern::TopRaiser(const std::string& title)
{
    std::string command = Quoted(GetCurPath() + "/public/TopRaiser") + " " + title;
    platform::CloseProcessHandle(ExecutCmd(command.c_str(), nullptr));
    return true;
}
