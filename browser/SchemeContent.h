#pragma once

#include <optional>
#include <string>

// The built-in pages below kepnar://client/: the splash page that forwards to the portal, the failure
// page and the loading animation, built in memory.
namespace SchemeContent {

struct Page
{
    std::string body;
    std::string mimeType;
};

// The page for a request URL, decided by substring tests on the whole URL in a fixed order
// ("Splash.html", "failed.html", "loading.gif"); nothing for anything else. `portalAddressUtf8` goes
// into the splash page as it is; `animation` is the GIF's bytes (empty: the animation is refused).
std::optional<Page> PageFor(const std::string& url, const std::string& portalAddressUtf8,
                            const std::string& animation);

// The program's loading animation (a 128 x 128 GIF of 12 frames, stored in the program).
std::string LoadingAnimation();

// Hands a body out in consecutive parts of at most `capacity` bytes; false once all of it was read.
class Reader
{
public:
    explicit Reader(std::string body) : m_body(std::move(body)) {}
    bool Read(char* buffer, size_t capacity, size_t& bytesRead);
    size_t Remaining() const { return m_body.size() - m_offset; }

private:
    std::string m_body;
    size_t m_offset = 0;
};

} // namespace SchemeContent
