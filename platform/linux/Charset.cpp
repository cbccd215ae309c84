#include "platform/Charset.h"

#include <cerrno>
#include <clocale>
#include <iconv.h>
#include <langinfo.h>
#include <map>

namespace platform {
namespace {

// iconv descriptors are not thread-safe, so each thread keeps its own, closed when the thread ends.
class IconvCache
{
public:
    ~IconvCache()
    {
        for (auto& entry : m_open)
            iconv_close(entry.second);
    }

    iconv_t Get(const std::string& to, const std::string& from)
    {
        auto key = to + '\n' + from;
        auto it = m_open.find(key);
        if (it != m_open.end()) {
            iconv(it->second, nullptr, nullptr, nullptr, nullptr); // back to the initial shift state
            return it->second;
        }
        iconv_t cd = iconv_open(to.c_str(), from.c_str());
        if (cd == reinterpret_cast<iconv_t>(-1))
            return cd;
        m_open.emplace(key, cd);
        return cd;
    }

private:
    std::map<std::string, iconv_t> m_open;
};

thread_local IconvCache t_cache;

size_t Utf8SequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0) == 0xC0)
        return 2;
    if ((lead & 0xF0) == 0xE0)
        return 3;
    return 4;
}

// Runs iconv over the whole input; on a sequence it cannot convert it appends `replacement` and skips
// `skip(position)` input bytes.
template <typename SkipFn>
std::string Convert(iconv_t cd, std::string_view in, std::string_view replacement, SkipFn skip)
{
    std::string out;
    out.reserve(in.size() * 2 + 8);
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    char buffer[1024];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buffer, outPtr - buffer);
        if (rc != static_cast<size_t>(-1))
            continue;
        if (errno == E2BIG)
            continue;
        // EILSEQ or EINVAL (truncated sequence at the end): replace and go on.
        out.append(replacement);
        size_t n = std::min(inLeft, skip(static_cast<unsigned char>(*inPtr)));
        inPtr += n;
        inLeft -= n;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    iconv(cd, nullptr, nullptr, &outPtr, &outLeft); // flush any shift sequence
    out.append(buffer, outPtr - buffer);
    return out;
}

} // namespace

std::string LocaleCharset()
{
    // The program never calls setlocale for LC_CTYPE itself (Qt does, at start-up), so ask for the
    // environment's locale without changing the process-wide one.
    locale_t loc = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(0));
    std::string name;
    if (loc != static_cast<locale_t>(0)) {
        name = nl_langinfo_l(CODESET, loc);
        freelocale(loc);
    }
    // The C locale's plain ASCII would turn every Chinese text into '?'; take UTF-8 there, as Qt does.
    if (name.empty() || name == "ANSI_X3.4-1968" || name == "ASCII")
        return "UTF-8";
    return name;
}

std::string EncodeFromUtf8(std::string_view utf8, const std::string& charset)
{
    iconv_t cd = t_cache.Get(charset, "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::string(utf8);
    return Convert(cd, utf8, "?", Utf8SequenceLength);
}

std::string DecodeToUtf8(std::string_view text, const std::string& charset)
{
    iconv_t cd = t_cache.Get("UTF-8", charset);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::string(text);
    return Convert(cd, text, "\xEF\xBF\xBD", [](unsigned char) { return size_t{1}; });
}

} // namespace platform
