#include "EngineConfiguration.h"

#include "common/TextCodec.h"
#include "platform/Random.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace EngineConfiguration {

std::string ServerText(const std::string& entry)
{
    std::string server = entry;
    std::replace(server.begin(), server.end(), ':', ' ');
    return server;
}

std::string Options(const std::string& logPath, const std::string& passwordFile, const std::string& extra)
{
    // The engine here has no interactive service to wait for ("--service"); it is ended with a signal,
    // and it reads the management password from a private file instead of standard input.
    return "--log \"" + logPath + "\"" +
           " --config \"client.ovpn\""
           " --setenv IV_GUI_VER \"OpenVPN GUI 11\""
           " --auth-retry interact"
           " --management 127.0.0.1 " + std::to_string(kManagementPort) + " \"" + passwordFile + "\"" +
           " --management-query-passwords"
           " --management-hold"
           " --management-query-remote"
           " " + extra;
}

std::string UpdateRemoteLine(const std::string& content, const std::string& server)
{
    const std::string line = "remote " + server;
    size_t found = content.find("remote ");
    if (found == std::string::npos)
        return line + "\n" + content;
    size_t end = content.find('\n', found);
    return content.substr(0, found) + line + (end == std::string::npos ? "" : content.substr(end));
}

void UpdateRemoteLineInFile(const std::string& path, const std::string& server)
{
    std::ifstream in(path);
    if (!in)
        return;
    std::stringstream content;
    content << in.rdbuf();
    in.close();
    std::string updated = UpdateRemoteLine(content.str(), server);
    std::ofstream out(path, std::ios::trunc);
    if (out)
        out << updated;
}

std::string ServiceStartMessage(const std::string& workingFolder, const std::string& options,
                                const std::string& managementPassword)
{
    std::string message;
    for (const std::string& field : {workingFolder, options, managementPassword + "\n"}) {
        for (char16_t unit : TextCodec::AnsiToUtf16(field)) {
            message += static_cast<char>(unit & 0xFF);
            message += static_cast<char>(unit >> 8);
        }
        message.append(2, '\0');
    }
    return message;
}

std::string MakeManagementPassword()
{
    std::string password = platform::RandomBytes(15);
    for (char& c : password)
        c = static_cast<char>((static_cast<unsigned char>(c) & 0x5D) + 33);
    return password;
}

} // namespace EngineConfiguration
