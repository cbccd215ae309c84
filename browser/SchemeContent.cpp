#include "SchemeContent.h"

#include <QFile>

#include <algorithm>
#include <cstring>
#include <mutex>

// Resources of a static library are registered by hand, once.
static void RegisterBrowserResources()
{
    static std::once_flag once;
    std::call_once(once, [] { Q_INIT_RESOURCE(browser); });
}

namespace SchemeContent {
namespace {

const char kSplashPrefix[] =
    "<html><head><title>loading</title></head><body style=\"padding:0;margin:0;\"><div style=\"height:100%;"
    "width:100%;position:fixed;left:0;top:0;display:table;\"><div style=\"width: 100%;display: table-cell;"
    "vertical-align: middle;text-align: center;\"><img src=\"kepnar://client/loading.gif\"><meta charset=\"UTF-8\">"
    "<meta http-equiv=\"refresh\" content=\"0; url=";
const char kClosingMark[] = "\">";
const char kFailurePrefix[] =
    "<head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\" /><title>title</title></head>"
    "<body style=\"padding:0;margin:0;\"><div style=\"height:100%;width:100%;position:fixed;left:0;top:0;"
    "display:table;\"><div style=\"width: 100%;display: table-cell;vertical-align: middle;text-align: center;\">";
const char kFailureMessage[] = "打开Orvanta主页失败</br>请确认网络地址配置正确!";
const char kCommonSuffix[] = "</div></div></body></html>";

} // namespace

std::optional<Page> PageFor(const std::string& url, const std::string& portalAddressUtf8,
                            const std::string& animation)
{
    if (url.find("Splash.html") != std::string::npos)
        return Page{kSplashPrefix + portalAddressUtf8 + kClosingMark + kCommonSuffix, "text/html"};
    if (url.find("failed.html") != std::string::npos)
        return Page{std::string(kFailurePrefix) + kFailureMessage + kCommonSuffix, "text/html"};
    if (url.find("loading.gif") != std::string::npos && !animation.empty())
        return Page{animation, "image/gif"};
    return std::nullopt;
}

std::string LoadingAnimation()
{
    RegisterBrowserResources();
    QFile file(QStringLiteral(":/browser/loading.gif"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = file.readAll();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

bool Reader::Read(char* buffer, size_t capacity, size_t& bytesRead)
{
    bytesRead = 0;
    if (m_offset >= m_body.size())
        return false;
    bytesRead = std::min(capacity, m_body.size() - m_offset);
    std::memcpy(buffer, m_body.data() + m_offset, bytesRead);
    m_offset += bytesRead;
    return true;
}

} // namespace SchemeContent
