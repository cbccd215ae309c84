#pragma once

#include <optional>
#include <string_view>

// A decimal number read as the C library reads one (leading blanks, a sign, digits; the rest ignored),
// but refused when there are no digits or the value leaves the 32-bit range.
std::optional<int> ParseDecimal32(std::string_view text);
