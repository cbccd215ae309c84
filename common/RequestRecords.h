#pragma once

#include "ArgumentList.h"

#include <cstdint>
#include <string>

// Records the main window builds from a command's argument map. Unknown keys are ignored and absent
// keys leave their field empty.

struct VpnRequest
{
    std::string entry;
    std::string user;
    std::string passwd;
    std::string mask;
    std::string gateway;
    std::string maskmode;

    static VpnRequest FromArguments(const ArgumentMap& arguments);
};

struct DiskRequest
{
    std::string path;
    std::string user1;
    std::string user2;
    std::string passwd;

    static DiskRequest FromArguments(const ArgumentMap& arguments);
};

struct OpenAppRequest
{
    static constexpr int32_t kDefaultPort = 3389;

    std::string path;
    std::string ip;
    std::string user;
    std::string passwd;
    std::string size;
    std::string app;
    std::string param;
    std::string depth;
    std::string clip;
    std::string drive;
    std::string printer;
    std::string usb;
    int32_t port = kDefaultPort;

    // "ip" may carry ":port"; the port is read like atol and 0 keeps 3389.
    static OpenAppRequest FromArguments(const ArgumentMap& arguments);
};
