#pragma once

#include <string>

// What the engine is started with: its options, and the remote line of its configuration file.
namespace EngineConfiguration {

inline constexpr int kManagementPort = 25340;

// The entry "host:port" as the engine's server text: every ":" becomes a blank.
std::string ServerText(const std::string& entry);

// The engine's options, in their fixed order. `passwordFile` names the file the engine reads the
// management password from; `extra` (the portal's gateway value) is appended verbatim after a blank.
std::string Options(const std::string& logPath, const std::string& passwordFile, const std::string& extra);

// `content` with its first "remote " line replaced by "remote " + server (up to the line end), or with
// that line put first when there is none.
std::string UpdateRemoteLine(const std::string& content, const std::string& server);

// The same on a file; a file that cannot be read or written is left as it is.
void UpdateRemoteLineInFile(const std::string& path, const std::string& server);

// Where an interactive service for the engine would listen; no installation provides one yet.
inline constexpr const char* kServiceSocket = "/run/orvanta/openvpn-service.sock";

// The service's start message: working folder, options and the password line, each as UTF-16LE text
// ending in a zero unit.
std::string ServiceStartMessage(const std::string& workingFolder, const std::string& options,
                                const std::string& managementPassword);

// 15 printable characters from the system's random generator: each byte b becomes (b AND 0x5D) + 33.
std::string MakeManagementPassword();

} // namespace EngineConfiguration
