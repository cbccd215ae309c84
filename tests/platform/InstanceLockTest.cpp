#include "platform/InstanceLock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace {

TEST(InstanceLockTest, OneHolderPerNameUntilReleased)
{
    auto folder = std::filesystem::temp_directory_path() / ("orv-lock-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);

    auto first = platform::InstanceLock::TryAcquire("Orvanta RemoteApp");
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(std::filesystem::exists(folder / "Orvanta RemoteApp.lock"));

    // Another process cannot take it while this one holds it.
    pid_t child = fork();
    if (child == 0)
        _exit(platform::InstanceLock::TryAcquire("Orvanta RemoteApp") ? 1 : 0);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    EXPECT_EQ(platform::InstanceLock::TryAcquire("Orvanta RemoteApp"), nullptr);
    EXPECT_NE(platform::InstanceLock::TryAcquire("another name"), nullptr);
    first.reset();
    EXPECT_NE(platform::InstanceLock::TryAcquire("Orvanta RemoteApp"), nullptr);
    std::filesystem::remove_all(folder);
}

} // namespace
