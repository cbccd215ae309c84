#include "PortalCheck.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <curl/curl.h>
#include <memory>

namespace PortalCheck {
namespace {

// Collects the reply until it holds as many bytes as the expected text; later chunks are dropped but
// still reported as consumed, so the transfer runs to its end.
size_t CollectReply(char* data, size_t size, size_t count, void* reply)
{
    auto* collected = static_cast<std::string*>(reply);
    if (collected->size() < std::strlen(kExpectedReply))
        collected->append(data, size * count);
    return size * count;
}

struct CurlCleanup
{
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};

} // namespace

bool ConnectivityTest(const std::string& url)
{
    std::string reply;
    std::unique_ptr<CURL, CurlCleanup> curl(curl_easy_init());
    if (!curl)
        return false;
    std::string testUrl = url + kTestFile;
    CURL* h = curl.get();
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, CollectReply);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &reply);
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYPEER, 0L);
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYHOST, 0L);
    curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, 6000L);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, 3000L);
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L); // the test runs on a worker thread
    curl_easy_setopt(h, CURLOPT_URL, testUrl.c_str());
    CURLcode result = curl_easy_perform(h);
    long status = 0;
    bool haveStatus = curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status) == CURLE_OK;
    return result == CURLE_OK && haveStatus && status == 200 && reply == kExpectedReply;
}

std::optional<std::string> CheckAddress(const std::string& address)
{
    if (address.empty())
        return std::nullopt;
    std::string head = address.substr(0, 4);
    std::transform(head.begin(), head.end(), head.begin(), [](unsigned char c) { return std::tolower(c); });
    if (head == "http")
        return ConnectivityTest(address) ? std::optional<std::string>(address) : std::nullopt;
    for (const char* scheme : {"https://", "http://"}) {
        std::string candidate = scheme + address;
        if (ConnectivityTest(candidate))
            return candidate;
    }
    return std::nullopt;
}

} // namespace PortalCheck
