#include "CommandLine.h"

#include <cstdlib>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace

std::optional<std::string> ProcessEnvironment(const std::string& name)
{
    const char* value = std::getenv(name.c_str());
    if (value == nullptr)
        return std::nullopt;
    return std::string(value);
}

std::string ExpandEnvironmentReferences(std::string_view text, const EnvironmentLookup& lookup)
{
    std::string out;
    out.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size()) {
        size_t open = text.find('%', pos);
        if (open == std::string_view::npos) {
            out.append(text.substr(pos));
            break;
        }
        out.append(text.substr(pos, open - pos));
        size_t close = text.find('%', open + 1);
        if (close == std::string_view::npos) {
            out.append(text.substr(open));
            break;
        }
        std::string name(text.substr(open + 1, close - open - 1));
        std::optional<std::string> value = name.empty() ? std::nullopt : lookup(name);
        if (value) {
            out += *value;
            pos = close + 1;
        } else {
            // Unset: keep the "%" and look for a reference starting at the closing one.
            out += '%';
            out.append(name);
            pos = close;
        }
    }
    return out;
}

std::vector<std::string> SplitCommandLine(std::string_view line)
{
    std::vector<std::string> arguments;
    size_t i = 0;

    // The program name: no escapes at all.
    std::string program;
    if (i < line.size() && line[i] == '"') {
        size_t close = line.find('"', i + 1);
        program = std::string(line.substr(i + 1, close == std::string_view::npos ? std::string_view::npos : close - i - 1));
        i = close == std::string_view::npos ? line.size() : close + 1;
    } else {
        while (i < line.size() && !IsBlank(line[i]))
            program += line[i++];
    }
    arguments.push_back(program);

    for (;;) {
        while (i < line.size() && IsBlank(line[i]))
            ++i;
        if (i >= line.size())
            break;
        std::string argument;
        bool quoted = false;
        while (i < line.size() && (quoted || !IsBlank(line[i]))) {
            char c = line[i];
            if (c == '\\') {
                size_t run = 0;
                while (i < line.size() && line[i] == '\\') {
                    ++run;
                    ++i;
                }
                if (i < line.size() && line[i] == '"') {
                    argument.append(run / 2, '\\');
                    if (run % 2 == 1) {
                        argument += '"';
                        ++i;
                    }
                } else {
                    argument.append(run, '\\');
                }
            } else if (c == '"') {
                if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                    argument += '"';
                    i += 2;
                    quoted = false;
                } else {
                    quoted = !quoted;
                    ++i;
                }
            } else {
                argument += c;
                ++i;
            }
        }
        arguments.push_back(argument);
    }
    return arguments;
}
