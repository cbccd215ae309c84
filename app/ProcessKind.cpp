#include "ProcessKind.h"

#include <string_view>

ProcessKind ProcessKindFromArguments(const std::vector<std::string>& arguments)
{
    for (const std::string& argument : arguments) {
        std::string_view text(argument);
        if (text == "--")
            break;
        if (text.substr(0, 2) == "--")
            text.remove_prefix(2);
        else if (text.substr(0, 1) == "-")
            text.remove_prefix(1);
        else
            continue;
        size_t equals = text.find('=');
        if (text.substr(0, equals) != "type")
            continue;
        std::string_view value = equals == std::string_view::npos ? std::string_view() : text.substr(equals + 1);
        return value == "renderer" ? ProcessKind::Renderer : ProcessKind::OtherSubProcess;
    }
    return ProcessKind::Browser;
}
