#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Argument lists of the portal: fields separated by "*?*", each field "key=value".

// Key -> value, ordered by byte-wise comparison of the keys.
using ArgumentMap = std::map<std::string, std::string>;

inline constexpr std::string_view kFieldSeparator = "*?*";

// Splits on every "*?*"; the text after the last separator is a field only when it is not empty.
std::vector<std::string> SplitFields(std::string_view text);

// Fields without "=" are ignored; the first "=" splits; a later duplicate key wins.
ArgumentMap ParseArguments(std::string_view text);

// The value under the smallest key, or nothing for an empty map.
std::optional<std::string> FirstValue(const ArgumentMap& arguments);
