#include "ArgumentList.h"

std::vector<std::string> SplitFields(std::string_view text)
{
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t found; (found = text.find(kFieldSeparator, start)) != std::string_view::npos;) {
        fields.emplace_back(text.substr(start, found - start));
        start = found + kFieldSeparator.size();
    }
    if (start < text.size())
        fields.emplace_back(text.substr(start));
    return fields;
}

ArgumentMap ParseArguments(std::string_view text)
{
    ArgumentMap arguments;
    for (const std::string& field : SplitFields(text)) {
        size_t equals = field.find('=');
        if (equals == std::string::npos)
            continue;
        arguments[field.substr(0, equals)] = field.substr(equals + 1);
    }
    return arguments;
}

std::optional<std::string> FirstValue(const ArgumentMap& arguments)
{
    if (arguments.empty())
        return std::nullopt;
    return arguments.begin()->second;
}
