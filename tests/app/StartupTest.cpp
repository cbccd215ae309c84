#include "fixtures/RawClient.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;

namespace {

// Starts OrvantaRemote with its own runtime folder (so the single-instance lock is private to the test).
class StartupTest : public testing::Test
{
protected:
    void SetUp() override
    {
        // A host folder of its own (config.xml is written there) and private runtime and config folders.
        m_host = fs::temp_directory_path() / ("orv-startup-" + std::to_string(getpid()));
        m_runtime = m_host / "runtime";
        fs::remove_all(m_host);
        fs::create_directories(m_runtime);
        fs::copy_file(ORVANTA_REMOTE_PROGRAM, m_host / "OrvantaRemote");
        fs::copy_file(ORVANTA_EXTERN_LIBRARY, m_host / "libOrvExtern.so");
        m_program = (m_host / "OrvantaRemote").string();
        setenv("XDG_RUNTIME_DIR", m_runtime.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (m_host / "config").c_str(), 1);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    void TearDown() override
    {
        for (pid_t pid : m_started) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        fs::remove_all(m_host);
    }

    pid_t Start(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), m_program);
        std::vector<char*> argv;
        for (auto& a : arguments)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        pid_t pid = -1;
        posix_spawn(&pid, m_program.c_str(), nullptr, nullptr, argv.data(), environ);
        m_started.push_back(pid);
        return pid;
    }

    // The exit status, or -1 when the process is still running after `seconds`.
    int WaitForExit(pid_t pid, int seconds = 10)
    {
        for (int i = 0; i < seconds * 100; ++i) {
            int status = 0;
            if (waitpid(pid, &status, WNOHANG) == pid) {
                std::erase(m_started, pid);
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            usleep(10000);
        }
        return -1;
    }

    static bool AnswersInit(int port)
    {
        RawClient client(port);
        if (!client.connected() || !client.Send("GET /init HTTP/1.1\r\n\r\n"))
            return false;
        std::string reply = client.Receive(200, 1000);
        return reply.size() >= 4 && reply.substr(reply.size() - 4) == "OK_1";
    }

    static bool WaitUntilAnswering(int port)
    {
        for (int i = 0; i < 100; ++i) {
            if (AnswersInit(port))
                return true;
            usleep(50000);
        }
        return false;
    }

    fs::path m_host;
    fs::path m_runtime;
    std::string m_program;
    std::vector<pid_t> m_started;
};

TEST_F(StartupTest, ASecondStartExitsSilentlyAndTheFirstKeepsAnswering)
{
    pid_t first = Start({});
    ASSERT_TRUE(WaitUntilAnswering(21010));
    pid_t second = Start({"1"});
    EXPECT_EQ(WaitForExit(second), 0);
    EXPECT_TRUE(AnswersInit(21010));
    EXPECT_FALSE(AnswersInit(21011)); // the second one opened no port

    // SIGTERM ends the first cleanly.
    kill(first, SIGTERM);
    EXPECT_EQ(WaitForExit(first), 0);
    EXPECT_FALSE(AnswersInit(21010));
}

TEST_F(StartupTest, AnEngineSubProcessOpensNoPortAndTakesNoLock)
{
    pid_t renderer = Start({"--type=renderer"});
    EXPECT_EQ(WaitForExit(renderer), 0);
    EXPECT_FALSE(AnswersInit(21010));
    EXPECT_FALSE(fs::exists(m_runtime / "Orvanta RemoteApp.lock"));

    // While a browser process runs, a sub-process still starts and ends without touching it.
    pid_t browser = Start({});
    ASSERT_TRUE(WaitUntilAnswering(21010));
    EXPECT_EQ(WaitForExit(Start({"--type=gpu-process"})), 0);
    EXPECT_TRUE(AnswersInit(21010));
    kill(browser, SIGTERM);
    EXPECT_EQ(WaitForExit(browser), 0);
}

} // namespace
