#include "fileio/FileStream.h"
#include "fileio/StreamMgr.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

using Brim::CFileStream;
using Brim::CStreamMgr;
using lintally::testing::TempFolder;

namespace {

// A stream that records every Seek it is asked for and does nothing else.
class FakeStream : public Brim::IStream
{
public:
    std::uint32_t Read(void*, std::uint32_t) override { return 0; }
    std::uint32_t Write(const void*, std::uint32_t) override { return 0; }
    std::uint32_t GetMode() override { return Brim::ModeRead; }
    bool Seek(std::int32_t offset, int origin) override
    {
        seeks.push_back({offset, origin});
        return true;
    }
    std::uint32_t GetPosition() override { return 0; }
    std::uint32_t GetSize() override { return 0; }
    bool Truncate() override { return false; }

    std::vector<std::pair<std::int32_t, int>> seeks;
};

}  // namespace

TEST(IStream, SeekBackMovesBackwardFromTheCurrentPositionOnly)
{
    FakeStream stream;
    EXPECT_TRUE(stream.SeekBack(0));
    EXPECT_TRUE(stream.SeekBack(5));
    EXPECT_TRUE(stream.SeekBack(0x80000000u));
    EXPECT_FALSE(stream.SeekBack(0x80000001u));  // would wrap into a forward move
    const std::vector<std::pair<std::int32_t, int>> expected = {
        {0, Brim::SeekCurrent}, {-5, Brim::SeekCurrent}, {INT32_MIN, Brim::SeekCurrent}};
    EXPECT_EQ(stream.seeks, expected);
}

TEST(CFileStream, ForwardsToItsFileAndAnswersWritableFromTheFileMode)
{
    TempFolder folder;
    const std::string path = folder.Path("a.c");
    {
        CFileStream stream(path.c_str(), Brim::ModeRead | Brim::ModeWrite, true);
        EXPECT_STREQ(stream.GetFile().GetName(), path.c_str());
        EXPECT_EQ(stream.GetMode(), 6u);
        EXPECT_TRUE(stream.IsWritable());
        EXPECT_EQ(stream.Write("line one\nline two\n", 18), 18u);
        EXPECT_EQ(stream.GetSize(), 18u);
        EXPECT_TRUE(stream.Seek(0, Brim::SeekBegin));
        char bytes[12] = {};
        EXPECT_EQ(stream.Read(bytes, 11), 11u);
        EXPECT_TRUE(stream.SeekBack(2));
        EXPECT_EQ(stream.GetPosition(), 9u);
        EXPECT_TRUE(stream.SeekBack(0));
        EXPECT_EQ(stream.GetPosition(), 9u);
        EXPECT_FALSE(stream.SeekBack(10));
        EXPECT_TRUE(stream.Truncate());
        EXPECT_EQ(stream.GetSize(), 0u);
    }
    CFileStream reader(path.c_str(), Brim::ModeRead, false);
    EXPECT_FALSE(reader.IsWritable());
    EXPECT_EQ(reader.GetPosition(), 0u);
    EXPECT_EQ(reader.GetSize(), 0u);
    char byte = 0;
    EXPECT_EQ(reader.Read(&byte, 1), 0u);
}

TEST(CStreamMgr, OpenOfAMissingOrExclusivelyHeldFileLeavesNoStream)
{
    TempFolder folder;
    const std::string path = folder.Write("a.c", "abc");
    CFileStream holder(path.c_str(), Brim::ModeRead, false);
    CStreamMgr manager;
    manager.Open(folder.Path("missing.c").c_str(), Brim::ModeRead, false);
    EXPECT_EQ(manager.GetStream(), nullptr);
    manager.Open(nullptr, Brim::ModeRead, false);
    EXPECT_EQ(manager.GetStream(), nullptr);
    manager.Open(path.c_str(), Brim::ModeRead, false);
    EXPECT_EQ(manager.GetStream(), nullptr);
}

TEST(CStreamMgr, BorrowedStreamSurvivesAFailedOpenAndGivesWayToASuccessfulOne)
{
    TempFolder folder;
    const std::string path = folder.Write("a.c", "abc");
    FakeStream borrowed;
    {
        CStreamMgr manager(&borrowed);
        EXPECT_EQ(manager.GetStream(), &borrowed);
        manager.Open(folder.Path("missing.c").c_str(), Brim::ModeRead, false);
        EXPECT_EQ(manager.GetStream(), &borrowed);
        manager.Open(path.c_str(), Brim::ModeRead, false);
        ASSERT_NE(manager.GetStream(), nullptr);
        EXPECT_NE(manager.GetStream(), &borrowed);
        EXPECT_EQ(manager.GetStream()->GetSize(), 3u);
    }
    // The manager's destructor closed its file and with it the exclusive lock.
    CFileStream again(path.c_str(), Brim::ModeRead, false);
    EXPECT_STREQ(again.GetFile().GetName(), path.c_str());
}

TEST(CStreamMgr, SecondOpenReleasesTheStreamItOwnsFirst)
{
    TempFolder folder;
    const std::string path = folder.Write("a.c", "abc");
    CStreamMgr manager;
    manager.Open(path.c_str(), Brim::ModeRead, false);
    ASSERT_NE(manager.GetStream(), nullptr);
    manager.Open(path.c_str(), Brim::ModeRead, false);  // same file, exclusive both times
    ASSERT_NE(manager.GetStream(), nullptr);
    EXPECT_EQ(manager.GetStream()->GetSize(), 3u);

    manager.Open(folder.Path("missing.c").c_str(), Brim::ModeRead, false);
    EXPECT_EQ(manager.GetStream(), nullptr);
    CFileStream again(path.c_str(), Brim::ModeRead, false);
    EXPECT_STREQ(again.GetFile().GetName(), path.c_str());
}
