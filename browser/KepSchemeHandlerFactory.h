#pragma once

#include <QWebEngineUrlSchemeHandler>

#include <functional>
#include <string>

// Serves kepnar://client/: the splash page that forwards to the portal, the failure page and the
// loading animation. Anything else under the scheme is refused.
class KepSchemeHandlerFactory : public QWebEngineUrlSchemeHandler
{
    Q_OBJECT
public:
    static constexpr const char* kScheme = "kepnar";

    // `portalAddressUtf8` is asked for the address at every splash request.
    KepSchemeHandlerFactory(std::function<std::string()> portalAddressUtf8, QObject* parent = nullptr);

    void requestStarted(QWebEngineUrlRequestJob* job) override;

private:
    std::function<std::string()> m_portalAddressUtf8;
    std::string m_animation;
};
