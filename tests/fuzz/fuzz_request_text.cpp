// Request decoding: URL decoding and the conversion into the 8-bit character set, with both a UTF-8 and
// a double-byte character set.
#include "common/TextCodec.h"
#include "control/RequestText.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    RequestTarget target = SplitTarget(text);
    TextCodec::SetAnsiCharset(size % 2 == 0 ? "UTF-8" : "GBK");
    std::string path = DecodeRequestText(target.path);
    std::string query = DecodeRequestText(target.query);
    // Whatever came in, what goes on is valid in the character set and converts back and forth.
    TextCodec::Utf16ToAnsi(TextCodec::AnsiToUtf16(query));
    TextCodec::AnsiToUtf8(path);
    return 0;
}
