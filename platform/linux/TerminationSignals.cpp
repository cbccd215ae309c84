#include "platform/TerminationSignals.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace platform {
namespace {

int g_pipe[2] = {-1, -1};

void OnSignal(int)
{
    int saved = errno;
    char byte = 1;
    [[maybe_unused]] ssize_t n = write(g_pipe[1], &byte, 1);
    errno = saved;
}

} // namespace

int TerminationSignals::Install()
{
    if (g_pipe[0] >= 0)
        return g_pipe[0];
    if (pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return -1;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    return g_pipe[0];
}

void TerminationSignals::Drain()
{
    char buffer[64];
    while (g_pipe[0] >= 0 && read(g_pipe[0], buffer, sizeof buffer) > 0) {
    }
}

} // namespace platform
