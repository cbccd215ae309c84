#pragma once

// Codes of the commands the control server queues for the main window.
enum class CommandCode : int {
    OpenVpn = 1,
    CreateDisk = 2,
    OpenApp = 3,
    RemoteApp = 4,
    OpenUrl = 5,
    Loginout = 6,
    PrintFileReady = 7,
    ExecuteFileReady = 8,
    UpdateFileReady = 9,
    WebHomepage = 10,
    WebApppage = 11,
    Unused = 12, // nothing queues it; delivered like any other code
    Browser = 13,
    SsoInfo = 14,
};

constexpr int ToInt(CommandCode code)
{
    return static_cast<int>(code);
}
