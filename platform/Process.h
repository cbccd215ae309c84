#pragma once

#include <string>
#include <vector>

namespace platform {

// A started process. On Linux it is a pidfd: the descriptor stays valid after the process has ended,
// and the process cannot be confused with a later one that gets the same id.
using ProcessHandle = int;
inline constexpr ProcessHandle kNoProcess = -1;

// Starts `arguments[0]` (looked up in PATH when it has no "/") with `arguments`, directly: no shell,
// no descriptors inherited beyond standard input, output and error, default signal handling.
// kNoProcess when it could not be started.
ProcessHandle StartProcess(const std::vector<std::string>& arguments);

// Further choices for a start.
struct StartOptions
{
    std::string program;       // the file to run, when it is not arguments[0]
    std::string workingFolder; // the current folder of the new process; empty: ours
    bool discardOutput = false; // standard output and error go to /dev/null
};
ProcessHandle StartProcess(const std::vector<std::string>& arguments, const StartOptions& options);

// Waits until the process has ended, at most `timeoutMs` (negative: without limit); true when it has
// ended. The ended process is reaped.
bool WaitForProcess(ProcessHandle process, int timeoutMs);

// Ends the process at once (SIGKILL: the nearest thing to terminating it with a chosen exit code).
void TerminateProcess(ProcessHandle process);

// Asks the process to end (SIGTERM), as a program is asked to exit cleanly.
void AskProcessToExit(ProcessHandle process);

// Asks the process whose id `pidFile` records to exit, when its command line still contains `marker`
// (an id alone may since belong to another program). True when one was asked.
bool AskRecordedProcessToExit(const std::string& pidFile, const std::string& marker);

// A second handle of the same process, to be closed on its own.
ProcessHandle DuplicateProcessHandle(ProcessHandle process);

// Closes the handle. A process that is still running is reaped in the background when it ends, so no
// process is ever left behind as a zombie.
void CloseProcessHandle(ProcessHandle process);

// The process id behind a handle, or -1.
int ProcessIdOf(ProcessHandle process);

} // namespace platform
