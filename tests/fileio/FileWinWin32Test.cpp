#include "fileio/FileWin.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <string>

using Brim::CFileWin;
using lintally::testing::TempFolder;

namespace {

constexpr std::uint32_t ReadWrite = Brim::ModeRead | Brim::ModeWrite;

// Makes path a sparse file of the given size without writing its bytes.
bool MakeFileOfSize(const std::string& path, std::int64_t size)
{
    const HANDLE handle = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    DWORD ignored = 0;
    ::DeviceIoControl(handle, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &ignored, nullptr);
    LARGE_INTEGER distance{};
    distance.QuadPart = size;
    const bool sized =
        ::SetFilePointerEx(handle, distance, nullptr, FILE_BEGIN) && ::SetEndOfFile(handle);
    ::CloseHandle(handle);
    return sized;
}

}  // namespace

TEST(CFileWin, ShareFlagsLetInOnlyTheOpensTheyName)
{
    TempFolder folder;
    const std::string path = folder.Write("a.c", "abc");
    const std::uint32_t sharedRead = Brim::ModeRead | Brim::ModeShareRead;
    CFileWin first, second, other;
    ASSERT_TRUE(first.Open(path.c_str(), false, sharedRead));
    EXPECT_TRUE(second.Open(path.c_str(), false, sharedRead));
    EXPECT_FALSE(
        other.Open(path.c_str(), false, ReadWrite | Brim::ModeShareRead | Brim::ModeShareWrite));
    EXPECT_FALSE(other.Open(path.c_str(), false, Brim::ModeRead));
    EXPECT_STREQ(other.GetName(), "");

    const std::uint32_t sharedAll = ReadWrite | Brim::ModeShareRead | Brim::ModeShareWrite;
    const std::string both = folder.Write("b.c", "abc");
    CFileWin writer1, writer2;
    EXPECT_TRUE(writer1.Open(both.c_str(), false, sharedAll));
    EXPECT_TRUE(writer2.Open(both.c_str(), false, sharedAll));
}

TEST(CFileWin, OnlyDeleteSharingLetsAnOpenFileBeDeleted)
{
    TempFolder folder;
    const std::string kept = folder.Write("kept.c", "abc");
    const std::string gone = folder.Write("gone.c", "abc");
    CFileWin holdsKept, holdsGone;
    ASSERT_TRUE(holdsKept.Open(kept.c_str(), false, Brim::ModeRead | Brim::ModeShareRead));
    ASSERT_TRUE(holdsGone.Open(gone.c_str(), false, Brim::ModeRead | Brim::ModeShareDelete));
    EXPECT_FALSE(::DeleteFileA(kept.c_str()));
    EXPECT_TRUE(::DeleteFileA(gone.c_str()));
}

TEST(CFileWin, FoldersAndDevicesAreRefused)
{
    TempFolder folder;
    CFileWin file;
    EXPECT_FALSE(file.Open(folder.Path("").c_str(), false, Brim::ModeRead));
    EXPECT_FALSE(file.Open(folder.Path("").c_str(), true, ReadWrite));
    EXPECT_FALSE(file.Open("NUL", false, ReadWrite));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_BAD_FILE_TYPE));
    EXPECT_FALSE(file.Open("CON", false, Brim::ModeRead));
    EXPECT_STREQ(file.GetName(), "");
}

TEST(CFileWin, PathsOfMoreThan260CharactersAreRefusedBeforeOpening)
{
    TempFolder folder;
    const std::string longName = folder.Path(std::string(300, 'n'));
    CFileWin file;
    EXPECT_FALSE(file.Open(longName.c_str(), true, ReadWrite));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE));
    EXPECT_STREQ(file.GetName(), "");

    // A path that just fits still opens, and the whole of it is the name.
    const std::size_t room = 259 - folder.Path("").size();
    ASSERT_LE(room, 255u);
    const std::string longest = folder.Path(std::string(room - 2, 'l') + ".c");
    ASSERT_EQ(longest.size(), 259u);
    ASSERT_TRUE(file.Open(longest.c_str(), true, ReadWrite));
    EXPECT_STREQ(file.GetName(), longest.c_str());
}

TEST(CFileWin, SizeIsTheLow32BitsAndAllOnesIsARealSize)
{
    TempFolder folder;
    const std::string allOnes = folder.Path("all-ones.bin");
    const std::string beyond = folder.Path("beyond.bin");
    ASSERT_TRUE(MakeFileOfSize(allOnes, 0xFFFFFFFFll));
    ASSERT_TRUE(MakeFileOfSize(beyond, 0x100000005ll));
    CFileWin file;
    ASSERT_TRUE(file.Open(allOnes.c_str(), false, Brim::ModeRead));
    EXPECT_EQ(file.GetSize(), 0xFFFFFFFFu);
    ASSERT_TRUE(file.Open(beyond.c_str(), false, Brim::ModeRead));
    EXPECT_EQ(file.GetSize(), 5u);
}
