#pragma once

#include "common/RequestRecords.h"

#include <string>

// The programs the main window starts for the portal: the share-disk script, the user's browser and the
// handler of a downloaded file. Each is one command-line text, split by the Windows rules and started
// directly, hidden and without waiting; a failure is ignored.
namespace ExternalPrograms {

// The address as it is opened: "about:blank" for nothing, "http://" put in front unless it starts with
// "http" in any letter case.
std::string NormalizeUrl(const std::string& url);

// "browser" "url" with the configured browser (its surrounding quotes removed), else the user's default
// handler: "xdg-open" "url".
std::string OpenUrlCommandLine(const std::string& url, const std::string& netApp);

// "xdg-open" "path": the file opens with its registered handler.
std::string StartDetachedCommandLine(const std::string& path);

// "host/trovent_con.sh" path user1 user2 passwd, the values unquoted (a blank splits a value).
std::string ShareDiskCommandLine(const std::string& hostFolder, const DiskRequest& request);

// "host/public/OrvPdfPrinter" "path" "printer": the print tool, which deletes the file when printed.
std::string PrintCommandLine(const std::string& hostFolder, const std::string& path, const std::string& printer);

// Starts the command line and lets it run on its own.
void RunHidden(const std::string& commandLine);

} // namespace ExternalPrograms
