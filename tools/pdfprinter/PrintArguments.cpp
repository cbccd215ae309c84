#include "PrintArguments.h"

#include <cctype>
#include <climits>

namespace {

// A decimal number as the C library reads one: blanks, a sign, digits, anything after ignored.
std::optional<int> ReadFlag(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long value = 0;
    size_t digits = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i, ++digits) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            return std::nullopt;
    }
    if (digits == 0)
        return std::nullopt;
    value = negative ? -value : value;
    if (value < INT_MIN || value > INT_MAX)
        return std::nullopt;
    return static_cast<int>(value);
}

} // namespace

std::optional<PrintArguments> ParsePrintArguments(const std::vector<std::string>& arguments)
{
    PrintArguments result;
    if (arguments.empty() || arguments[0].empty())
        return std::nullopt;
    result.path = arguments[0];
    if (arguments.size() > 1)
        result.printer = arguments[1];
    if (arguments.size() > 2) {
        std::optional<int> flag = ReadFlag(arguments[2]);
        if (!flag)
            return std::nullopt;
        result.deleteFlag = *flag;
    }
    return result;
}
