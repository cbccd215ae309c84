#pragma once

#include <string>
#include <string_view>

// Text conversions between UTF-8, UTF-16 and the program's 8-bit character set (the "ANSI code page",
// which is the locale's character set). Invalid input never fails: a character the target cannot hold
// becomes '?' in the 8-bit set and U+FFFD in UTF-8 and UTF-16.
namespace TextCodec {

// Chooses the 8-bit character set by name ("GBK", "UTF-8", ...); an empty name goes back to the locale's.
// Meant for start-up and for tests.
void SetAnsiCharset(const std::string& name);
std::string AnsiCharset();

std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

std::u16string AnsiToUtf16(std::string_view ansi);
std::string Utf16ToAnsi(std::u16string_view utf16);

std::string Utf8ToAnsi(std::string_view utf8);
std::string AnsiToUtf8(std::string_view ansi);

} // namespace TextCodec
