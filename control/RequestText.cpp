#include "RequestText.h"

#include "common/TextCodec.h"

namespace {

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::string DecodeRequestText(std::string_view text)
{
    std::string decoded;
    decoded.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '%') {
            if (i + 2 >= text.size()) // a "%" in one of the last two positions
                return {};
            int high = HexValue(text[i + 1]);
            int low = HexValue(text[i + 2]);
            if (high < 0 || low < 0)
                return {};
            decoded += static_cast<char>(high * 16 + low);
            i += 2;
        } else if (c == '+') {
            decoded += ' ';
        } else {
            decoded += c;
        }
    }
    return TextCodec::Utf8ToAnsi(decoded);
}

RequestTarget SplitTarget(std::string_view target)
{
    size_t question = target.find('?');
    if (question == std::string_view::npos)
        return {target, {}};
    return {target.substr(0, question), target.substr(question + 1)};
}
