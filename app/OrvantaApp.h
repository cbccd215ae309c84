#pragma once

#include "CommandRelay.h"
#include "OrvantaHandler.h"
#include "browser/BaseApp.h"
#include "control/KepHttp.h"

#include <string>
#include <vector>

// The application: decides what kind of process this is, and for the browser process reads the
// settings, takes the single-instance lock, starts the browser engine and the control server and runs
// the event loop until the program is told to end.
class OrvantaApp
{
public:
    // The name of the single-instance lock.
    static constexpr const char* kInstanceLockName = "Orvanta RemoteApp";

    OrvantaApp();
    ~OrvantaApp();

    // The whole life of the process; returns its exit code.
    int Run(int argc, char** argv);

    OrvantaHandler& handler() { return m_handler; }
    KepHttp& server() { return m_server; }

private:
    int RunBrowserProcess(int argc, char** argv);
    void Shutdown();

    OrvantaHandler m_handler;
    BaseApp m_engine;
    KepHttp m_server;
};
