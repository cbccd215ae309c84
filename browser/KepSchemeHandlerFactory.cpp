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
    std::optional<SchemeContent::Page> page =
        SchemeContent::PageFor(job->requestUrl().toString().toStdString(), m_portalAddressUtf8(), m_animation);
    if (!page) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    job->reply(QByteArray::fromStdString(page->mimeType), new SchemeHandler(std::move(page->body), job));
}
