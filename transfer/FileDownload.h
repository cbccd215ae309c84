#pragma once

#include <atomic>
#include <optional>
#include <string>
#include <string_view>

// The local file name a URL is saved under: the text after the last "/" before the URL's last
// character, up to the first "?" or "&". Nothing when there is no such "/".
std::optional<std::string> FileNameFromUrl(std::string_view url);

// Creates `path` and every missing parent; true when the folder exists afterwards.
bool CreateDirectories(const std::string& path);

// Fetches `url` into `dataFolder`/FileNameFromUrl(url) with libcurl. True only for a complete transfer
// answered with status 200; `localPath` names the file either way (a failed transfer leaves what it
// wrote). `stop` aborts a running transfer.
bool DownloadFile(const std::string& url, const std::string& dataFolder, std::string& localPath,
                  const std::atomic<bool>& stop);

// Call once on the main thread before any download thread exists.
void InitDownloads();
