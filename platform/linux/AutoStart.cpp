#include "platform/AutoStart.h"

#include "platform/AtomicFile.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <unistd.h>

namespace platform {
namespace {

std::string ConfigHome()
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && *xdg == '/')
        return xdg;
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') {
        const passwd* entry = getpwuid(getuid());
        home = entry != nullptr ? entry->pw_dir : "/";
    }
    return std::string(home) + "/.config";
}

// An Exec argument in double quotes, then escaped once more as a desktop-entry string value.
std::string QuotedExecArgument(const std::string& text)
{
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    quoted += '"';
    std::string escaped;
    for (char c : quoted) {
        if (c == '\\')
            escaped += '\\';
        escaped += c;
    }
    return escaped;
}

} // namespace

std::string AutoStartPath(const std::string& name)
{
    return ConfigHome() + "/autostart/" + name + ".desktop";
}

std::string AutoStartEntry(const std::string& program, const std::string& argument)
{
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Orvanta\n"
           "Exec=" + QuotedExecArgument(program) + " " + argument + "\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n";
}

bool RegisterAutoStart(const std::string& name, const std::string& program, const std::string& argument)
{
    std::string path = AutoStartPath(name);
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    return ReplaceFileContents(path, AutoStartEntry(program, argument));
}

} // namespace platform
