#include "platform/Process.h"

#include "platform/linux/ProcessReaper.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#ifndef P_PIDFD
#define P_PIDFD 3
#endif

extern char** environ;

namespace platform {
namespace {

int PidfdOpen(pid_t pid)
{
    return static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
}

// True when the process has ended; reaps it if it was still a zombie.
bool ReapIfEnded(ProcessHandle process)
{
    siginfo_t info{};
    if (waitid(static_cast<idtype_t>(P_PIDFD), static_cast<id_t>(process), &info, WEXITED | WNOHANG) != 0)
        return errno == ECHILD; // reaped already (by another handle) or not our child
    return info.si_pid != 0;
}

} // namespace

ProcessHandle StartProcess(const std::vector<std::string>& arguments)
{
    return StartProcess(arguments, StartOptions{});
}

ProcessHandle StartProcess(const std::vector<std::string>& arguments, const StartOptions& options)
{
    if (arguments.empty() || (arguments[0].empty() && options.program.empty()))
        return kNoProcess;
    const std::string& program = options.program.empty() ? arguments[0] : options.program;
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    if (options.discardOutput) {
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
    }
    if (!options.workingFolder.empty())
        posix_spawn_file_actions_addchdir_np(&actions, options.workingFolder.c_str());
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none, handled;
    sigemptyset(&none);
    sigemptyset(&handled);
    sigaddset(&handled, SIGPIPE);
    sigaddset(&handled, SIGINT);
    sigaddset(&handled, SIGTERM);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &handled);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    pid_t pid = -1;
    int rc = posix_spawnp(&pid, program.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        return kNoProcess;
    // Not reaped yet, so the id still names our child even if it has ended already.
    int pidfd = PidfdOpen(pid);
    if (pidfd < 0) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        return kNoProcess;
    }
    fcntl(pidfd, F_SETFD, FD_CLOEXEC);
    return pidfd;
}

bool WaitForProcess(ProcessHandle process, int timeoutMs)
{
    if (process < 0)
        return false;
    pollfd p{process, POLLIN, 0};
    int n;
    do {
        n = poll(&p, 1, timeoutMs);
    } while (n < 0 && errno == EINTR && timeoutMs < 0);
    if (n <= 0)
        return false;
    ReapIfEnded(process);
    return true;
}

void TerminateProcess(ProcessHandle process)
{
    if (process >= 0)
        syscall(SYS_pidfd_send_signal, process, SIGKILL, nullptr, 0);
}

void AskProcessToExit(ProcessHandle process)
{
    if (process >= 0)
        syscall(SYS_pidfd_send_signal, process, SIGTERM, nullptr, 0);
}

bool AskRecordedProcessToExit(const std::string& pidFile, const std::string& marker)
{
    std::ifstream file(pidFile);
    int pid = 0;
    if (!(file >> pid) || pid <= 1)
        return false;
    std::ifstream cmdline("/proc/" + std::to_string(pid) + "/cmdline", std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(cmdline)), std::istreambuf_iterator<char>());
    if (text.find(marker) == std::string::npos)
        return false;
    return kill(pid, SIGTERM) == 0;
}

ProcessHandle DuplicateProcessHandle(ProcessHandle process)
{
    if (process < 0)
        return kNoProcess;
    return fcntl(process, F_DUPFD_CLOEXEC, 3);
}

void CloseProcessHandle(ProcessHandle process)
{
    if (process < 0)
        return;
    if (ReapIfEnded(process))
        close(process);
    else
        ProcessReaper::Instance().Adopt(process);
}

int ProcessIdOf(ProcessHandle process)
{
    std::ifstream info("/proc/self/fdinfo/" + std::to_string(process));
    std::string key;
    while (info >> key) {
        if (key == "Pid:") {
            int pid = -1;
            info >> pid;
            return pid;
        }
    }
    return -1;
}

} // namespace platform
