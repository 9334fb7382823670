#include "fileio/FileWin.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <cerrno>
#include <climits>
#include <filesystem>
#include <string>

using Brim::CFileWin;
using lintally::testing::TempFolder;

TEST(CFileWin, ReadSharingOpensCoexistAndKeepExclusiveOpensOut)
{
    TempFolder folder;
    const std::string path = folder.Write("a.c", "abc");
    const std::uint32_t sharedRead = Brim::ModeRead | Brim::ModeShareRead;
    CFileWin first, second, exclusive;
    ASSERT_TRUE(first.Open(path.c_str(), false, sharedRead));
    EXPECT_TRUE(second.Open(path.c_str(), false, sharedRead));
    EXPECT_FALSE(exclusive.Open(path.c_str(), false, Brim::ModeRead));

    const std::uint32_t sharedWrite = Brim::ModeRead | Brim::ModeWrite | Brim::ModeShareWrite;
    CFileWin writer1, writer2;
    const std::string other = folder.Write("b.c", "abc");
    EXPECT_TRUE(writer1.Open(other.c_str(), false, sharedWrite));
    EXPECT_TRUE(writer2.Open(other.c_str(), false, sharedWrite));
}

TEST(CFileWin, FoldersFifosAndDevicesAreRefusedWithoutBlocking)
{
    TempFolder folder;
    const std::string fifo = folder.Path("pipe.c");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    CFileWin file;
    for (const std::uint32_t mode : {0x02u, 0x04u, 0x06u}) {
        EXPECT_FALSE(file.Open(fifo.c_str(), false, mode)) << mode;
        EXPECT_FALSE(file.Open(fifo.c_str(), true, mode)) << mode;
    }
    EXPECT_FALSE(file.Open(folder.Path("").c_str(), false, Brim::ModeRead));
    EXPECT_EQ(errno, EISDIR);
    EXPECT_FALSE(file.Open("/dev/null", false, Brim::ModeRead | Brim::ModeWrite));
    EXPECT_STREQ(file.GetName(), "");
}

TEST(CFileWin, PathsBeyond260CharactersOpenUpToTheSystemLimit)
{
    TempFolder folder;
    std::string deep = folder.Path("");
    while (deep.size() < 700)
        deep += "a-folder-with-a-long-name/";
    std::filesystem::create_directories(deep);
    const std::string path = deep + "deep.c";
    ASSERT_GT(path.size(), 260u);
    CFileWin file;
    ASSERT_TRUE(file.Open(path.c_str(), true, Brim::ModeRead | Brim::ModeWrite));
    EXPECT_STREQ(file.GetName(), path.c_str());
    EXPECT_EQ(file.Write("x\n", 2), 2u);

    const std::string tooLong(PATH_MAX, 'a');
    EXPECT_FALSE(file.Open(tooLong.c_str(), true, Brim::ModeRead));
    EXPECT_EQ(errno, ENAMETOOLONG);
    EXPECT_STREQ(file.GetName(), "");
}
