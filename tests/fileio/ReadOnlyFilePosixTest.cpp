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

std::string ReadRest(ReadOnlyFile& file)
{
    std::string text;
    char buffer[4];
    while (const std::uint32_t done = file.Read(buffer, sizeof buffer)) {
        text.append(buffer, done);
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
    ReadOnlyFile file;
    ASSERT_TRUE(file.Open("/proc/self/status"));
    const std::string text = ReadRest(file);
    EXPECT_NE(text.find("Name:"), std::string::npos);
    EXPECT_NE(text.find("Pid:"), std::string::npos);
}
