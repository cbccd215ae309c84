#include "TextCodec.h"

#include "platform/Charset.h"

#include <algorithm>
#include <memory>
#include <mutex>

namespace TextCodec {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

std::mutex g_charsetMutex;
std::shared_ptr<const std::string> g_charset;

std::shared_ptr<const std::string> CurrentCharset()
{
    std::lock_guard<std::mutex> guard(g_charsetMutex);
    if (!g_charset)
        g_charset = std::make_shared<const std::string>(platform::LocaleCharset());
    return g_charset;
}

bool IsUtf8Name(const std::string& name)
{
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower == "utf-8" || lower == "utf8";
}

bool IsAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one code point at `pos`, advancing it; an invalid or truncated sequence yields U+FFFD and
// advances past its longest valid prefix (at least one byte).
char32_t DecodeUtf8(std::string_view s, size_t& pos)
{
    auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
    unsigned char lead = byte(pos);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    size_t length;
    char32_t cp;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        cp = lead & 0x0F;
        if (lead == 0xE0)
            low = 0xA0; // no overlong forms
        if (lead == 0xED)
            high = 0x9F; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        cp = lead & 0x07;
        if (lead == 0xF0)
            low = 0x90;
        if (lead == 0xF4)
            high = 0x8F; // nothing above U+10FFFF
    } else {
        ++pos;
        return kReplacement;
    }
    size_t i = 1;
    for (; i < length && pos + i < s.size(); ++i) {
        unsigned char c = byte(pos + i);
        if (c < low || c > high)
            break;
        low = 0x80;
        high = 0xBF;
        cp = (cp << 6) | (c & 0x3F);
    }
    if (i < length) {
        pos += i;
        return kReplacement;
    }
    pos += length;
    return cp;
}

// Makes any byte string valid UTF-8, replacing what is invalid.
std::string SanitizeUtf8(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (size_t pos = 0; pos < utf8.size();)
        AppendUtf8(out, DecodeUtf8(utf8, pos));
    return out;
}

} // namespace

void SetAnsiCharset(const std::string& name)
{
    std::lock_guard<std::mutex> guard(g_charsetMutex);
    g_charset = name.empty() ? nullptr : std::make_shared<const std::string>(name);
}

std::string AnsiCharset()
{
    return *CurrentCharset();
}

std::u16string Utf8ToUtf16(std::string_view utf8)
{
    std::u16string out;
    out.reserve(utf8.size());
    for (size_t pos = 0; pos < utf8.size();) {
        char32_t cp = DecodeUtf8(utf8, pos);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16)
{
    std::string out;
    out.reserve(utf16.size());
    for (size_t i = 0; i < utf16.size(); ++i) {
        char32_t unit = utf16[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (utf16[i + 1] - 0xDC00));
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            AppendUtf8(out, kReplacement); // a lone surrogate
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

std::string Utf8ToAnsi(std::string_view utf8)
{
    if (IsAscii(utf8))
        return std::string(utf8);
    auto charset = CurrentCharset();
    std::string valid = SanitizeUtf8(utf8);
    if (IsUtf8Name(*charset))
        return valid;
    return platform::EncodeFromUtf8(valid, *charset);
}

std::string AnsiToUtf8(std::string_view ansi)
{
    if (IsAscii(ansi))
        return std::string(ansi);
    auto charset = CurrentCharset();
    if (IsUtf8Name(*charset))
        return SanitizeUtf8(ansi);
    return SanitizeUtf8(platform::DecodeToUtf8(ansi, *charset));
}

std::u16string AnsiToUtf16(std::string_view ansi)
{
    return Utf8ToUtf16(AnsiToUtf8(ansi));
}

std::string Utf16ToAnsi(std::u16string_view utf16)
{
    return Utf8ToAnsi(Utf16ToUtf8(utf16));
}

} // namespace TextCodec
