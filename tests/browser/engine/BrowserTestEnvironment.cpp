#include "BrowserTestEnvironment.h"

#include "fixtures/DesktopEnvironment.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

namespace fs = std::filesystem;

BrowserTestEnvironment& BrowserTestEnvironment::Get()
{
    static BrowserTestEnvironment environment;
    return environment;
}

void BrowserTestEnvironment::SetPortalAddress(const std::string& address)
{
    SetPortalAddressSource([address] { return address; });
}

void BrowserTestEnvironment::SetPortalAddressSource(std::function<std::string()> source)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_portalAddress = std::move(source);
}

std::string BrowserTestEnvironment::PortalAddress() const
{
    std::function<std::string()> source;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        source = m_portalAddress;
    }
    return source ? source() : std::string();
}

bool BrowserTestEnvironment::Start(int& argc, char** argv)
{
    m_scratch = fs::temp_directory_path() / ("orv-browser-" + std::to_string(getpid()));
    fs::remove_all(m_scratch);
    fs::create_directories(m_scratch / "home");
    fs::create_directories(m_scratch / "runtime");
    setenv("HOME", (m_scratch / "home").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (m_scratch / "home" / ".config").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (m_scratch / "runtime").c_str(), 1);
    unsetenv("QT_QPA_PLATFORM"); // the engine draws on the virtual display
    BaseApp::PrepareProcess();
    new QApplication(argc, argv);
    return m_engine.Initialize((m_scratch / "cache").string(), [this] { return PortalAddress(); }) == 1;
}

void BrowserTestEnvironment::Stop()
{
    m_engine.Shutdown();
    delete QCoreApplication::instance();
    fs::remove_all(m_scratch);
}

bool RunUntil(const std::function<bool()>& done, int milliseconds)
{
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!done() && std::chrono::steady_clock::now() < end) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return done();
}

QVariant Evaluate(QWebEnginePage* page, const QString& script, int milliseconds)
{
    auto result = std::make_shared<std::optional<QVariant>>();
    page->runJavaScript(script, [result](const QVariant& value) { *result = value; });
    RunUntil([&] { return result->has_value(); }, milliseconds);
    return result->value_or(QVariant());
}

bool LoadAndWait(QWebEngineView* view, const QUrl& url)
{
    auto finished = std::make_shared<std::optional<bool>>();
    auto connection = QObject::connect(view, &QWebEngineView::loadFinished, [finished](bool ok) { *finished = ok; });
    view->load(url);
    RunUntil([&] { return finished->has_value(); });
    QObject::disconnect(connection);
    return finished->value_or(false);
}

bool WaitForUrl(QWebEngineView* view, const QString& url, int milliseconds)
{
    return RunUntil(
        [&] {
            return view->url().toString() == url &&
                   Evaluate(view->page(), QStringLiteral("document.readyState"), 1000).toString() ==
                       QStringLiteral("complete");
        },
        milliseconds);
}

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    DesktopEnvironment desktop;
    if (!desktop.ready()) {
        std::fprintf(stderr, "no virtual display\n");
        return 1;
    }
    BrowserTestEnvironment& environment = BrowserTestEnvironment::Get();
    if (!environment.Start(argc, argv)) {
        std::fprintf(stderr, "the browser engine did not start\n");
        return 1;
    }
    int result = RUN_ALL_TESTS();
    environment.Stop();
    return result;
}
