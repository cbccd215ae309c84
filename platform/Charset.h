#pragma once

#include <string>
#include <string_view>

// The locale's character set (the "ANSI code page" of the program) and conversions between it and UTF-8.
namespace platform {

// Name of the character set of the user's locale, for example "UTF-8" or "GBK".
std::string LocaleCharset();

// Converts valid UTF-8 into `charset`; every character the set cannot represent becomes '?'.
std::string EncodeFromUtf8(std::string_view utf8, const std::string& charset);

// Converts text in `charset` into UTF-8; every byte sequence that is not valid there becomes U+FFFD.
std::string DecodeToUtf8(std::string_view text, const std::string& charset);

} // namespace platform
