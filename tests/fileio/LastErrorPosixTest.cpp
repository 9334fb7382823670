// Which paths name a file on POSIX: pipes and dangling links do not.
#include "fileio/FileExists.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <filesystem>
#include <string>

using lintally::testing::TempFolder;

TEST(FileExists, IsTrueForRegularFilesOnlyFollowingLinks)
{
    TempFolder folder;
    const std::string file = folder.Write("a.c", "abc");
    const std::string fifo = folder.Path("pipe.c");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_symlink(file, folder.Path("link.c"));
    std::filesystem::create_symlink(folder.Path("gone.c"), folder.Path("dangling.c"));

    EXPECT_TRUE(Brim::FileExists(file.c_str()));
    EXPECT_TRUE(Brim::FileExists(folder.Path("link.c").c_str()));
    EXPECT_FALSE(Brim::FileExists(folder.Path("dangling.c").c_str()));
    EXPECT_FALSE(Brim::FileExists(folder.Path("missing.c").c_str()));
    EXPECT_FALSE(Brim::FileExists(folder.Path("").c_str()));
    EXPECT_FALSE(Brim::FileExists(fifo.c_str()));
    EXPECT_FALSE(Brim::FileExists(""));
    EXPECT_FALSE(Brim::FileExists(nullptr));
}
