#include "WebPage.h"

#include "WebHandler.h"

#include <QWebEngineCertificateError>
#include <QWebEngineLoadingInfo>
#include <QWebEngineView>

WebPage::WebPage(QWebEngineProfile* profile, WebHandler& handler, QObject* parent)
    : QWebEnginePage(profile, parent), m_handler(handler)
{
    // Certificate problems never stop a page and are never put to the user.
    connect(this, &QWebEnginePage::certificateError, this,
            [](QWebEngineCertificateError error) { error.acceptCertificate(); });
    connect(this, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo& info) {
        if (info.status() == QWebEngineLoadingInfo::LoadFailedStatus)
            m_handler.OnLoadError(this, info.url().toString().toStdString());
    });
}

QWebEnginePage* WebPage::createWindow(WebWindowType)
{
    return m_handler.CreatePopup()->page();
}

void WebPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message, int line,
                                       const QString& source)
{
    if (!m_handler.OnConsoleLine(message))
        QWebEnginePage::javaScriptConsoleMessage(level, message, line, source);
}
