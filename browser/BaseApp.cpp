#include "BaseApp.h"

#include "EngineSwitches.h"
#include "KepSchemeHandlerFactory.h"
#include "PageFunctions.h"

#include <QCoreApplication>
#include <QDir>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineUrlScheme>

#include <cstdlib>

namespace {

// The engine reads its switches from this variable when it starts, and hands them to its helpers.
constexpr const char* kFlagsVariable = "QTWEBENGINE_CHROMIUM_FLAGS";

} // namespace

BaseApp::BaseApp() = default;

BaseApp::~BaseApp()
{
    Shutdown();
}

void BaseApp::PrepareProcess()
{
    const char* existing = std::getenv(kFlagsVariable);
    setenv(kFlagsVariable, EngineSwitches::AppendedTo(existing != nullptr ? existing : "").c_str(), 1);
    // The engine's helpers run without their own sandbox.
    setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
    // Pages and the engine share one graphics context set-up; it must be chosen before the application.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);

    // The engine must know the scheme before it starts, so that kepnar://client/... parses with a host.
    if (QWebEngineUrlScheme::schemeByName(KepSchemeHandlerFactory::kScheme).name().isEmpty()) {
        QWebEngineUrlScheme scheme(KepSchemeHandlerFactory::kScheme);
        scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
        QWebEngineUrlScheme::registerScheme(scheme);
    }
}

int BaseApp::Initialize(const std::string& cacheFolder, std::function<std::string()> portalAddressUtf8)
{
    if (m_profile != nullptr)
        return 1;
    QString folder = QString::fromStdString(cacheFolder);
    QDir().mkpath(folder);
    m_profile = new QWebEngineProfile(QStringLiteral("Orvanta"));
    m_profile->setPersistentStoragePath(folder);
    m_profile->setCachePath(folder);
    m_profile->setPersistentCookiesPolicy(QWebEngineProfile::ForcePersistentCookies);

    m_messageToken = PageFunctions::NewMessageToken();
    QWebEngineScript functions;
    functions.setName(QStringLiteral("orvanta-page-functions"));
    functions.setSourceCode(QString::fromStdString(PageFunctions::InstallScript(m_messageToken)));
    functions.setInjectionPoint(QWebEngineScript::DocumentCreation);
    functions.setWorldId(QWebEngineScript::MainWorld);
    functions.setRunsOnSubFrames(true);
    m_profile->scripts()->insert(functions);

    RegisterClientScheme(std::move(portalAddressUtf8));
    return 1;
}

void BaseApp::RegisterClientScheme(std::function<std::string()> portalAddressUtf8)
{
    m_schemeHandler = new KepSchemeHandlerFactory(std::move(portalAddressUtf8), m_profile);
    m_profile->installUrlSchemeHandler(KepSchemeHandlerFactory::kScheme, m_schemeHandler);
}

void BaseApp::Shutdown()
{
    // The profile writes its cookies and storage out when it goes.
    delete m_profile;
    m_profile = nullptr;
    m_schemeHandler = nullptr;
}
