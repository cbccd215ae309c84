#include "FileDownload.h"

#include <cstdio>
#include <curl/curl.h>
#include <filesystem>
#include <memory>
#include <mutex>

namespace {

size_t WriteToFile(char* data, size_t size, size_t count, void* file)
{
    return std::fwrite(data, size, count, static_cast<FILE*>(file));
}

int AbortWhenStopping(void* stop, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    return static_cast<const std::atomic<bool>*>(stop)->load() ? 1 : 0;
}

struct CurlCleanup
{
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};

struct FileClose
{
    void operator()(FILE* file) const { std::fclose(file); }
};

} // namespace

void InitDownloads()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::optional<std::string> FileNameFromUrl(std::string_view url)
{
    if (url.size() < 2)
        return std::nullopt;
    // The last character is never taken as the separator.
    size_t slash = url.rfind('/', url.size() - 2);
    if (slash == std::string_view::npos)
        return std::nullopt;
    std::string_view name = url.substr(slash + 1);
    size_t end = name.find_first_of("?&");
    return std::string(name.substr(0, end));
}

bool CreateDirectories(const std::string& path)
{
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    return std::filesystem::is_directory(path, ec);
}

bool DownloadFile(const std::string& url, const std::string& dataFolder, std::string& localPath,
                  const std::atomic<bool>& stop)
{
    auto name = FileNameFromUrl(url);
    if (!name)
        return false;
    std::unique_ptr<CURL, CurlCleanup> curl(curl_easy_init());
    if (!curl)
        return false;
    CreateDirectories(dataFolder);
    localPath = dataFolder + "/" + *name;
    // Declared after the handle so that it is closed after the transfer has been cleaned up.
    std::unique_ptr<FILE, FileClose> file(std::fopen(localPath.c_str(), "wbe"));
    if (!file)
        return false; // a file that cannot be created is a failed download

    CURL* h = curl.get();
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, WriteToFile);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, file.get());
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
    // The progress callback is how a running transfer is ended when the program exits.
    curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, AbortWhenStopping);
    curl_easy_setopt(h, CURLOPT_XFERINFODATA, &stop);
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYPEER, 0L);
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYHOST, 0L);
    curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, 1800000L);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, 3000L);
    // Only web transfers: a portal URL must not read local files or reach other protocols.
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    // Several transfers run on threads; name look-ups must not use signals.
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_URL, url.c_str());

    CURLcode result = curl_easy_perform(h);
    long status = 0;
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
    curl.reset();
    bool flushed = std::fflush(file.get()) == 0;
    file.reset();
    return result == CURLE_OK && status == 200 && flushed;
}
