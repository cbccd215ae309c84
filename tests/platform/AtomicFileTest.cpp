#include "platform/AtomicFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

class AtomicFileTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_folder = fs::temp_directory_path() / ("orv-atomic-" + std::to_string(getpid()));
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    std::string Read(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    size_t FilesInFolder() { return std::distance(fs::directory_iterator(m_folder), fs::directory_iterator()); }

    fs::path m_folder;
};

TEST_F(AtomicFileTest, ReplacesTheContentsAndKeepsThePermissions)
{
    fs::path file = m_folder / "config.xml";
    ASSERT_TRUE(platform::ReplaceFileContents(file, "first"));
    chmod(file.c_str(), 0640);
    ASSERT_TRUE(platform::ReplaceFileContents(file, std::string("second\0x", 8)));
    EXPECT_EQ(Read(file), std::string("second\0x", 8));
    struct stat st {};
    stat(file.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(FilesInFolder(), 1u); // no temporary file left
}

TEST_F(AtomicFileTest, AFailedReplaceLeavesNothingBehind)
{
    EXPECT_FALSE(platform::ReplaceFileContents(m_folder / "missing" / "config.xml", "x"));
    fs::create_directory(m_folder / "dir");
    // The target is a folder: rename fails, the folder stays, no temporary file remains.
    EXPECT_FALSE(platform::ReplaceFileContents(m_folder / "dir", "x"));
    EXPECT_TRUE(fs::is_directory(m_folder / "dir"));
    EXPECT_EQ(FilesInFolder(), 1u);
}

} // namespace
