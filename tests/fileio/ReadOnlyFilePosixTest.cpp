#include "fileio/ReadOnlyFile.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

using Brim::ReadOnlyFile;
using lintally::testing::TempFolder;

namespace {

void Append(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary | std::ios::app) << text;
}

std::string ReadRest(ReadOnlyFile& file, std::size_t bufferSize = 4)
{
    std::string text;
    std::string buffer(bufferSize, '\0');
    while (const std::uint32_t done =
               file.Read(buffer.data(), static_cast<std::uint32_t>(buffer.size()))) {
        text.append(buffer, 0, done);
    }
    return text;
}

}  // namespace

// A short read that reaches the size seen at the open ends the file without one more read;
// a short read before that size (the file shrank, or the read was cut) keeps reading.
TEST(ReadOnlyFile, AShortReadAtTheOpenSizeIsTheEnd)
{
    TempFolder folder;
    const std::string path = folder.Write("a.c", "abcdef");
    ReadOnlyFile file;
    ASSERT_TRUE(file.Open(path.c_str()));
    EXPECT_EQ(ReadRest(file), "abcdef");
    Append(path, "gh");
    EXPECT_EQ(ReadRest(file), "");

    ASSERT_TRUE(file.Open(path.c_str()));
    char buffer[4];
    ASSERT_EQ(file.Read(buffer, sizeof buffer), 4u);
    Append(path, "ij");
    EXPECT_EQ(ReadRest(file), "efghij") << "a full read is never taken as the end";

    ASSERT_TRUE(file.Open(path.c_str()));
    ASSERT_TRUE(file.Seek(8, Brim::SeekBegin));
    EXPECT_EQ(ReadRest(file), "ij");
    ASSERT_TRUE(file.Seek(0, Brim::SeekBegin));
    EXPECT_EQ(ReadRest(file), "abcdefghij") << "a seek starts reading again";
}

TEST(ReadOnlyFile, FilesTheSystemSizesAsEmptyAreReadToTheirEnd)
{
    // The system hands this file out a page per read, each read short of the buffer.
    ReadOnlyFile file;
    ASSERT_TRUE(file.Open("/proc/self/maps"));
    const std::string text = ReadRest(file, 64 * 1024);
    EXPECT_GT(text.size(), 4096u);
    EXPECT_NE(text.find("[stack]"), std::string::npos);
}
