#pragma once

#include <string>
#include <string_view>

// URL-decodes a request part ("%XX" -> byte, "+" -> space) and converts it from UTF-8 to the program's
// 8-bit character set. A "%" without two hexadecimal digits after it empties the whole result.
std::string DecodeRequestText(std::string_view text);

// The request target split at its first "?": the raw path and the raw query (empty without "?").
struct RequestTarget
{
    std::string_view path;
    std::string_view query;
};
RequestTarget SplitTarget(std::string_view target);
