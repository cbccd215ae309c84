#pragma once

#include <functional>
#include <memory>
#include <string>

class KepSchemeHandlerFactory;
class QWebEngineProfile;

// The browser engine of the program's browser process. The engine's helper processes (renderers, GPU,
// utilities) are the engine's own helper program, so the program itself is only ever started as the
// browser process; a start with a "type" switch is turned away before this class is reached.
class BaseApp
{
public:
    BaseApp();
    ~BaseApp();
    BaseApp(const BaseApp&) = delete;
    BaseApp& operator=(const BaseApp&) = delete;

    // Before the application object exists: the engine's switches, no sandbox, the kepnar scheme
    // declared. Once per process.
    static void PrepareProcess();

    // After the application object exists: the profile with its storage and cache in `cacheFolder`,
    // session cookies kept across runs, the page functions on every page, the kepnar://client/ pages.
    // 1 when the engine is ready, 0 otherwise.
    int Initialize(const std::string& cacheFolder, std::function<std::string()> portalAddressUtf8);

    // Ends the engine's use by this program; every page must be gone before.
    void Shutdown();

    QWebEngineProfile* Profile() const { return m_profile; }
    const std::string& MessageToken() const { return m_messageToken; }

private:
    void RegisterClientScheme(std::function<std::string()> portalAddressUtf8);

    QWebEngineProfile* m_profile = nullptr;
    KepSchemeHandlerFactory* m_schemeHandler = nullptr;
    std::string m_messageToken;
};
