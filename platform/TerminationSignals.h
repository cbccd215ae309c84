#pragma once

namespace platform {

// Catches the requests to end the program (SIGINT, SIGTERM) and makes each one readable on a file
// descriptor, so that the event loop can end the program cleanly instead of it dying mid-work.
class TerminationSignals
{
public:
    // Installs the handlers once and returns the descriptor to watch; -1 when that failed.
    static int Install();

    // Reads away what the handlers wrote, so the descriptor can signal again.
    static void Drain();
};

} // namespace platform
