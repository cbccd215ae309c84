#include "OrvantaApp.h"

#include "CaptionIcons.h"
#include "OrvantaDlg.h"
#include "ProcessKind.h"
#include "common/HostFolder.h"
#include "platform/InstanceLock.h"
#include "platform/TerminationSignals.h"

#include <QApplication>
#include <QDialog>
#include <QSocketNotifier>

#include <memory>

OrvantaApp::OrvantaApp() = default;

OrvantaApp::~OrvantaApp()
{
    Shutdown();
}

int OrvantaApp::Run(int argc, char** argv)
{
    std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    // An engine helper process: no settings, no lock, no port, no window.
    if (ProcessKindFromArguments(arguments) != ProcessKind::Browser)
        return 0;
    return RunBrowserProcess(argc, argv);
}

int OrvantaApp::RunBrowserProcess(int argc, char** argv)
{
    m_handler.LoadSettings();

    // A second start ends here, silently; the running instance is not disturbed.
    std::unique_ptr<platform::InstanceLock> instance = platform::InstanceLock::TryAcquire(kInstanceLockName);
    if (!instance)
        return 0;

    BaseApp::PrepareProcess();
    QApplication application(argc, argv);
    application.setQuitOnLastWindowClosed(false);
    application.setWindowIcon(CaptionIcons::ApplicationIcon());
    // Without an engine the program runs on; the browser area then stays empty.
    m_engine.Initialize(ModuleDirectory() + "/cache", [this] { return m_handler.ReadLoginAddressUtf8(); });

    // SIGINT and SIGTERM end the event loop, so that shutdown below runs instead of the process dying.
    // A request that arrives while the login-address dialog runs ends that dialog and the program.
    std::unique_ptr<QSocketNotifier> signalNotifier;
    bool endRequested = false;
    int signalFd = platform::TerminationSignals::Install();
    if (signalFd >= 0) {
        signalNotifier = std::make_unique<QSocketNotifier>(signalFd, QSocketNotifier::Read);
        QObject::connect(signalNotifier.get(), &QSocketNotifier::activated, &application, [&endRequested] {
            platform::TerminationSignals::Drain();
            endRequested = true;
            // The program runs in dialogs' loops, not the application's: each open dialog is ended.
            for (QWidget* window : QApplication::topLevelWidgets())
                if (auto* dialog = qobject_cast<QDialog*>(window); dialog != nullptr && dialog->isVisible())
                    dialog->reject();
        });
    }

    CommandRelay relay; // until the main window exists, delivered commands are dropped
    m_server.SetCommandReceiver(&relay);
    m_server.StartServer(); // the program runs on even when no port could be had

    {
        OrvantaDlg window(m_handler);
        relay.SetHandler(&window);
        m_server.AttachWindowState(&window);
        window.InitBrowser(m_engine); // asks for the portal address first when there is none
        if (!endRequested) {
            window.show();
            window.exec();
        }
        // From here on neither server thread reaches the window; its destruction logs out.
        m_server.DetachWindowState();
        relay.SetHandler(nullptr);
    }

    relay.Close();
    Shutdown();
    m_engine.Shutdown();
    return 0;
}

void OrvantaApp::Shutdown()
{
    // Threads stop and are joined before anything they use is destroyed.
    m_server.Stop();
    m_server.SetCommandReceiver(nullptr);
}
