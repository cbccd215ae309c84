#pragma once

#include <string>

// The command lines the library builds for the remote desktop client. Null pointers are allowed where
// the client has a default (size, app, depth, clip, drive, printer, usb).
namespace ClientCommandLine {

// Width and height from "WxH" (lower-case x only; each read like atoi); 0 and 0 otherwise.
void ParseSize(const char* size, int& width, int& height);

// " /u:user /p:passwd /v:ip /t:"title" /w:W /h:H /port:P /bpp:D" and the optional parts.
std::string OpenAppArguments(const char* ip, const char* user, const char* passwd, const char* size,
                             const char* app, const char* depth, const char* clip, const char* drive,
                             const char* printer, const char* usb, int port, const std::string& title);

// The RemoteApp variant, which nothing starts.
std::string RemoteAppArguments(const char* ip, const char* user, const char* passwd, const char* app,
                               const char* depth, const char* clip, const char* drive, const char* printer,
                               const char* usb);

} // namespace ClientCommandLine
