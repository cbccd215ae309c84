#include "KepSchemeHandlerFactory.h"

#include "SchemeContent.h"
#include "SchemeHandler.h"

#include <QWebEngineUrlRequestJob>

KepSchemeHandlerFactory::KepSchemeHandlerFactory(std::function<std::string()> portalAddressUtf8, QObject* parent)
    : QWebEngineUrlSchemeHandler(parent),
      m_portalAddressUtf8(std::move(portalAddressUtf8)),
      m_animation(SchemeContent::LoadingAnimation())
{
}

void KepSchemeHandlerFactory::requestStarted(QWebEngineUrlRequestJob* job)
{
    std::string url = job->requestUrl().toString().toStdString();
    // Only the splash page needs the address; the other pages never ask for it.
    std::string address = url.find("Splash.html") != std::string::npos ? m_portalAddressUtf8() : std::string();
    std::optional<SchemeContent::Page> page = SchemeContent::PageFor(url, address, m_animation);
    if (!page) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    job->reply(QByteArray::fromStdString(page->mimeType), new SchemeHandler(std::move(page->body), job));
}
