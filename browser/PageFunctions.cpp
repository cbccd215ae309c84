#include "PageFunctions.h"

#include "platform/Random.h"

#include <cstdio>

namespace PageFunctions {
namespace {

// A control character no page writes by accident starts every message line.
const std::string kMarker = "\x01orvanta-message:";

std::string MessagePrefix(const std::string& token)
{
    return kMarker + token + ":";
}

// Escapes text for a double-quoted script string.
std::string ScriptString(const std::string& text)
{
    std::string quoted = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += static_cast<char>(c);
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            quoted += escaped;
        } else {
            quoted += static_cast<char>(c);
        }
    }
    return quoted + "\"";
}

std::string FunctionBody(const std::string& name)
{
    if (name == "JsQueryEnv")
        return "return \"Embed\";";
    if (name == kMinimiseMessage)
        return "send(\"" + name + "\");";
    return "";
}

} // namespace

std::string NewMessageToken()
{
    std::string bytes = platform::RandomBytes(16);
    std::string hex;
    for (unsigned char b : bytes) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02x", b);
        hex += pair;
    }
    return hex;
}

std::string InstallScript(const std::string& token)
{
    // The console function is taken before the page's own scripts run, so a page that replaces
    // console.debug does not silence the message.
    std::string script = "(function () {\n"
                         "  var debug = console.debug.bind(console);\n"
                         "  var prefix = " + ScriptString(MessagePrefix(token)) + ";\n"
                         "  function send(name) { debug(prefix + name); }\n";
    for (const char* name : kNames)
        script += "  window." + std::string(name) + " = function " + name + "() { " + FunctionBody(name) + " };\n";
    script += "})();\n";
    return script;
}

std::optional<std::string> MessageName(std::string_view consoleLine, const std::string& token)
{
    std::string prefix = MessagePrefix(token);
    if (token.empty() || !consoleLine.starts_with(prefix))
        return std::nullopt;
    return std::string(consoleLine.substr(prefix.size()));
}

} // namespace PageFunctions
