#include "fileio/ReadOnlyFile.h"

#include "tests/support/PosixTree.h"

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

using Brim::ReadOnlyFile;
using lintally::testing::MakeFifo;
using lintally::testing::MakeLink;
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

// A name the listing gave as a regular file opens without a check; what it turns out to be
// instead (swapped since the listing) fails at the first read rather than being counted.
TEST(ReadOnlyFile, AListedNameThatIsNoLongerAFileFailsItsRead)
{
    TempFolder folder;
    folder.Write("a.c", "abcdef");
    folder.Write("sub/x.c", "");
    MakeLink(folder, "link.c", "a.c");
    ASSERT_TRUE(MakeFifo(folder, "pipe.c"));
    ASSERT_TRUE(MakeFifo(folder, "idle-pipe.c"));
    MakeLink(folder, "pipe-link.c", "pipe.c");
    const int dir = ::open(folder.Path("").c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(dir, 0);
    // A writer that filled the pipe, so the read does not come back short.
    const int writer = ::open(folder.Path("pipe.c").c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(writer, 0);
    ASSERT_EQ(::write(writer, "12345678", 8), 8);

    ReadOnlyFile file;
    for (const char* name : {"a.c", "link.c"}) {
        ASSERT_TRUE(file.OpenListedAt(dir, name)) << name;
        EXPECT_EQ(ReadRest(file), "abcdef") << name;
        EXPECT_FALSE(file.Failed()) << name;
    }
    EXPECT_FALSE(file.OpenListedAt(dir, "pipe-link.c")) << "a link is checked at the open";
    for (const char* name : {"sub", "pipe.c", "idle-pipe.c"}) {
        ASSERT_TRUE(file.OpenListedAt(dir, name)) << name;
        EXPECT_EQ(ReadRest(file), "") << name;
        EXPECT_TRUE(file.Failed()) << name;
    }
    ::close(writer);
    ::close(dir);
}

TEST(ReadOnlyFile, ReadWholeFileReadsEveryByteOfAnySize)
{
    TempFolder folder;
    for (const std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{4097},
                                   std::size_t{(1 << 20) + 3}, std::size_t{3 << 20}}) {
        std::string text(size, '\0');
        for (std::size_t i = 0; i < size; ++i) {
            text[i] = static_cast<char>('a' + i % 23);
        }
        const std::string path = folder.Write(std::to_string(size) + ".txt", text);
        std::string bytes = "old";
        EXPECT_TRUE(Brim::ReadWholeFile(path.c_str(), bytes)) << size;
        EXPECT_EQ(bytes, text) << size;
    }
    // Sized as empty by the system, yet full.
    std::string maps;
    EXPECT_TRUE(Brim::ReadWholeFile("/proc/self/maps", maps));
    EXPECT_NE(maps.find("[stack]"), std::string::npos);
    std::string none = "old";
    EXPECT_FALSE(Brim::ReadWholeFile(folder.Path("missing").c_str(), none));
    EXPECT_TRUE(none.empty());
    EXPECT_FALSE(Brim::ReadWholeFile(folder.Root().c_str(), none));
    // A read that fails (this file has nothing mapped at its offset 0) is no end of file.
    EXPECT_FALSE(Brim::ReadWholeFile("/proc/self/mem", none));
}
