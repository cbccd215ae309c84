#pragma once

#include <string>

#define ORV_EXTERN_API __attribute__((visibility("default")))

// The session helper library: starts the remote desktop client once per server and keeps a registry of
// the started clients, runs the share-disk scripts and ends a user session. Its host derives from it
// (the main window does) and implements OnVpnResult. Texts are 8-bit, in the program's character set.
class ORV_EXTERN_API OrvExtern
{
public:
    // A started process (a pidfd); -1 is none.
    using ProcessHandle = int;

    OrvExtern();
    OrvExtern(const OrvExtern& other);
    OrvExtern& operator=(const OrvExtern& other);
    // Ends no process and hangs nothing up.
    virtual ~OrvExtern();

    // Result of a dial-up VPN: 1 connected, 0 failed or dropped.
    virtual void OnVpnResult(int result) = 0;

    // The most recently constructed object, or null after its destruction.
    static OrvExtern* CurrentInstance();

    // Hangs up the dial-up VPN when one was started; nothing otherwise.
    void CloseVPN();

    // Raises the client already running for `ip`, or starts a new one (see ClientCommandLine.h); false
    // only when the client could not be started.
    bool OnOpenApp(const char* path, const char* ip, const char* user, const char* passwd, const char* size,
                   const char* app, const char* param, const char* depth, const char* clip, const char* drive,
                   const char* printer, const char* usb, int port);

    // Composes the text of a RemoteApp start and does nothing with it; the host opens RemoteApp
    // programs in its own embedded sessions.
    bool OnRemoteApp(const char* path, const char* ip, const char* user, const char* passwd, const char* size,
                     const char* app, const char* param, const char* depth, const char* clip, const char* drive,
                     const char* printer, const char* usb, int port);

    // 1 while a client started for exactly this key (case-sensitive) runs, else 0.
    int GetAppState(const char* ip);

    // Runs the share-disk script with the four texts as its arguments, without waiting.
    void OnCreateDisk(const char* a, const char* b, const char* c, const char* d);

    // Ends the session: every client, the share disk, the dial-up VPN.
    void OnLoginout();

    // Removes the entry without closing its handle; true when there was one (the caller then closes).
    static bool EraseRdpProcess(const char* key);
    // Closes every registered client (terminating it first when asked) and empties the registry.
    static void CloseRdpProcess(bool terminate);
    // Terminates the process when asked, then closes the handle; the registry is not touched.
    static void CloseRdpProcess(const char* key, ProcessHandle process, bool terminate);
    // The registered handle for `key`, or -1.
    static ProcessHandle GetRdpHandle(const std::string& key);
    static void OnClearRdpProcess();

protected:
    // Runs the share-disk close script.
    void CloseShareDisk();
    // Starts the command line `command` (%NAME% references expanded) plus, when `arguments` is not
    // null, a blank and `arguments`. The caller owns the handle; -1 when nothing started.
    ProcessHandle ExecutCmd(const char* command, const char* arguments);
    bool IsWow64();
    // The folder of the host program file.
    std::string GetCurPath();
    // Starts the window raiser for the client window with this title; always true.
    bool TopRaiser(const std::string& title);

private:
    void* m_vpnConnection = nullptr; // the dial-up connection; null while none was started
    std::string m_gateway;
    std::string m_maskAddr;
    std::string m_maskMode;
    std::string m_adapterAddr;
};
