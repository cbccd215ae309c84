#include "ExternalPrograms.h"

#include "common/CommandLine.h"
#include "platform/Process.h"

#include <algorithm>
#include <cctype>

namespace ExternalPrograms {
namespace {

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

} // namespace

std::string NormalizeUrl(const std::string& url)
{
    if (url.empty())
        return "about:blank";
    std::string head = url.substr(0, 4);
    std::transform(head.begin(), head.end(), head.begin(), [](unsigned char c) { return std::tolower(c); });
    return head == "http" ? url : "http://" + url;
}

std::string OpenUrlCommandLine(const std::string& url, const std::string& netApp)
{
    size_t first = netApp.find_first_not_of('"');
    size_t last = netApp.find_last_not_of('"');
    std::string browser = first == std::string::npos ? "" : netApp.substr(first, last - first + 1);
    return Quoted(browser.empty() ? "xdg-open" : browser) + " " + Quoted(NormalizeUrl(url));
}

std::string StartDetachedCommandLine(const std::string& path)
{
    return Quoted("xdg-open") + " " + Quoted(path);
}

std::string ShareDiskCommandLine(const std::string& hostFolder, const DiskRequest& r)
{
    return Quoted(hostFolder + "/trovent_con.sh") + " " + r.path + " " + r.user1 + " " + r.user2 + " " + r.passwd;
}

std::string PrintCommandLine(const std::string& hostFolder, const std::string& path, const std::string& printer)
{
    return Quoted(hostFolder + "/public/OrvPdfPrinter") + " " + Quoted(path) + " " + Quoted(printer);
}

void RunHidden(const std::string& commandLine)
{
    platform::CloseProcessHandle(platform::StartProcess(SplitCommandLine(commandLine)));
}

} // namespace ExternalPrograms
