#include "ClientCommandLine.h"

#include <cstdlib>
#include <cstring>

namespace ClientCommandLine {
namespace {

// Null texts are written as empty ones.
const char* Text(const char* text)
{
    return text != nullptr ? text : "";
}

bool Present(const char* text)
{
    return text != nullptr && *text != '\0';
}

void AppendOptional(std::string& out, const char* name, const char* value)
{
    if (Present(value))
        out.append(name).append(value);
}

} // namespace

void ParseSize(const char* size, int& width, int& height)
{
    width = height = 0;
    if (size == nullptr)
        return;
    const char* x = std::strchr(size, 'x');
    if (x == nullptr)
        return;
    width = std::atoi(std::string(size, x).c_str());
    height = std::atoi(x + 1);
}

std::string OpenAppArguments(const char* ip, const char* user, const char* passwd, const char* size,
                             const char* app, const char* depth, const char* clip, const char* drive,
                             const char* printer, const char* usb, int port, const std::string& title)
{
    int width = 0, height = 0;
    ParseSize(size, width, height);
    std::string out;
    out.append(" /u:").append(Text(user));
    out.append(" /p:").append(Text(passwd));
    out.append(" /v:").append(Text(ip));
    out.append(" /t:\"").append(title).append("\"");
    out.append(" /w:").append(std::to_string(width));
    out.append(" /h:").append(std::to_string(height));
    out.append(" /port:").append(std::to_string(port));
    out.append(" /bpp:").append(depth != nullptr ? depth : "32");
    AppendOptional(out, " /cliprdr:", clip);
    AppendOptional(out, " /drive:", drive);
    AppendOptional(out, " /printer:", printer);
    AppendOptional(out, " /usb:", usb);
    if (Present(app))
        out.append(" /shell:\\\"").append(app).append("\\\"");
    return out;
}

std::string RemoteAppArguments(const char* ip, const char* user, const char* passwd, const char* app,
                               const char* depth, const char* clip, const char* drive, const char* printer,
                               const char* usb)
{
    std::string out;
    out.append(" /u:").append(Text(user));
    out.append(" /p:").append(Text(passwd));
    out.append(" /v:").append(Text(ip));
    out.append(" /t:\"Orvanta RemoteApp\"");
    out.append(" /w:0 /h:0");
    out.append(" /bpp:").append(depth != nullptr ? depth : "32");
    AppendOptional(out, " /cliprdr:", clip);
    AppendOptional(out, " /driver:", drive);
    AppendOptional(out, " /printer:", printer);
    AppendOptional(out, " /usb:", usb);
    AppendOptional(out, " /shell:", app);
    return out;
}

} // namespace ClientCommandLine
