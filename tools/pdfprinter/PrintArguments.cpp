#include "PrintArguments.h"

#include "common/DecimalNumber.h"

std::optional<PrintArguments> ParsePrintArguments(const std::vector<std::string>& arguments)
{
    PrintArguments result;
    if (arguments.empty() || arguments[0].empty())
        return std::nullopt;
    result.path = arguments[0];
    if (arguments.size() > 1)
        result.printer = arguments[1];
    if (arguments.size() > 2) {
        std::optional<int> flag = ParseDecimal32(arguments[2]);
        if (!flag)
            return std::nullopt;
        result.deleteFlag = *flag;
    }
    return result;
}
