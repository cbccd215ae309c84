#pragma once

#include "browser/BaseApp.h"

#include <QString>
#include <QUrl>
#include <QVariant>

#include <filesystem>
#include <functional>
#include <mutex>
#include <string>

class QWebEnginePage;
class QWebEngineView;

// The one browser engine of a test process, on a virtual display, with a scratch home folder. Made in
// main() before any test runs, because the engine has to be prepared before the application object.
class BrowserTestEnvironment
{
public:
    static BrowserTestEnvironment& Get();

    BaseApp& engine() { return m_engine; }
    const std::filesystem::path& scratch() const { return m_scratch; }

    // The portal address the built-in pages and the failure rule see: a fixed one, or one asked for
    // whenever it is needed.
    void SetPortalAddress(const std::string& address);
    void SetPortalAddressSource(std::function<std::string()> source);
    std::string PortalAddress() const;

    bool Start(int& argc, char** argv);
    void Stop();

private:
    BaseApp m_engine;
    std::filesystem::path m_scratch;
    mutable std::mutex m_lock;
    std::function<std::string()> m_portalAddress;
};

// Runs the event loop until `done` or until `milliseconds` have passed; the final answer of `done`.
bool RunUntil(const std::function<bool()>& done, int milliseconds = 15000);

// The result of a script in the page's main frame (an invalid value when it never came).
QVariant Evaluate(QWebEnginePage* page, const QString& script, int milliseconds = 10000);

// Loads `url` and waits for the load to end; whether it succeeded.
bool LoadAndWait(QWebEngineView* view, const QUrl& url);

// Waits until the view's main frame shows `url`, its load finished.
bool WaitForUrl(QWebEngineView* view, const QString& url, int milliseconds = 15000);
