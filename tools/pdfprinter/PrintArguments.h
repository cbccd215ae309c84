#pragma once

#include <optional>
#include <string>
#include <vector>

// The print tool's command line: PDF path, printer name, and an optional delete flag.
struct PrintArguments
{
    std::string path;
    std::string printer;
    int deleteFlag = 1; // non-zero: delete the file after printing
};

// Nothing when there is nothing to do: no path, or a delete flag without digits or outside the 32-bit
// range (then nothing is printed and nothing is deleted). `arguments` excludes the program name.
std::optional<PrintArguments> ParsePrintArguments(const std::vector<std::string>& arguments);
