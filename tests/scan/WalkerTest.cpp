#include "scan/Walker.h"

#include <pthread.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "scan/PatternList.h"
#include "tests/scan/RecordingVisitor.h"
#include "tests/support/TempFolder.h"

using lintally::scan::BuildPatternList;
using lintally::scan::DirEntry;
using lintally::scan::EntryKind;
using lintally::scan::IDirReader;
using lintally::scan::WalkFolder;
using lintally::testing::RecordingVisitor;

namespace {

// Folders held in memory; a folder it does not know cannot be opened.
class FakeDirReader final : public IDirReader
{
public:
    bool ReadFolder(const std::string& dir, std::vector<DirEntry>& entries) override
    {
        reads.push_back(dir);
        const auto found = folders.find(dir);
        entries = found == folders.end() ? std::vector<DirEntry>() : found->second;
        return found != folders.end();
    }

    std::map<std::string, std::vector<DirEntry>> folders;
    std::vector<std::string> reads;
};

DirEntry F(const char* name)
{
    return DirEntry{name, EntryKind::File};
}
DirEntry D(const char* name)
{
    return DirEntry{name, EntryKind::Folder};
}

using Names = std::vector<std::string>;

// The walk joins with the platform's separator; the tests write paths with '/'.
std::string N(const char* path)
{
    return lintally::testing::NativePath(path);
}

Names N(std::initializer_list<const char*> paths)
{
    Names names;
    for (const char* path : paths) {
        names.push_back(N(path));
    }
    return names;
}

}  // namespace

TEST(WalkFolder, WalksASubFolderWhereItsEntryIsMet)
{
    FakeDirReader reader;
    reader.folders["r"] = {F("a.c"), D("sub"), F("z.h"), F("skip.txt")};
    reader.folders[N("r/sub")] = {F("x.c")};
    RecordingVisitor visitor;
    EXPECT_TRUE(WalkFolder("r/", BuildPatternList("*.c,*.h"), visitor, reader));
    EXPECT_EQ(visitor.events, (Names{"matched a.c", "checked", "matched " + N("sub/x.c"), "checked",
                                     "matched z.h", "checked", "checked"}));
    EXPECT_EQ(visitor.fullPaths, N({"r/a.c", "r/sub/x.c", "r/z.h"}));
    EXPECT_EQ(visitor.polls, 5);  // one per entry, folders included
    EXPECT_EQ(visitor.listed,
              (Names{": 4 entries, after 0 events", N("sub") + ": 1 entries, after 2 events"}));
}

TEST(WalkFolder, AsksForSubFoldersAtEveryFolderEntry)
{
    FakeDirReader reader;
    reader.folders["r"] = {D("one"), D("two"), D("three")};
    reader.folders[N("r/one")] = {F("1.c")};
    reader.folders[N("r/two")] = {F("2.c")};
    reader.folders[N("r/three")] = {F("3.c")};
    RecordingVisitor visitor;
    visitor.subFolderAnswers = {true, false, true};
    WalkFolder("r", BuildPatternList("*.c"), visitor, reader);
    EXPECT_EQ(visitor.subFolderQueries, 3);
    EXPECT_EQ(visitor.Matched(), N({"one/1.c", "three/3.c"}));
    EXPECT_EQ(reader.reads, N({"r", "r/one", "r/three"}));
}

TEST(WalkFolder, SkippedFoldersNeverBecomeRowsEvenUnderStarDotStar)
{
    FakeDirReader reader;
    reader.folders["r"] = {D("x.d"), F("e")};
    reader.folders[N("r/x.d")] = {F("a.c")};
    RecordingVisitor visitor;
    visitor.subFolderAnswers = {false};
    WalkFolder("r", BuildPatternList("*.*"), visitor, reader);
    EXPECT_EQ(visitor.events, (Names{"matched e", "checked"}));
}

TEST(WalkFolder, FalseFromPollEndsEveryLevelAtOnce)
{
    FakeDirReader reader;
    reader.folders["r"] = {D("sub"), F("after.c")};
    reader.folders[N("r/sub")] = {F("1.c"), F("2.c"), F("3.c")};
    RecordingVisitor visitor;
    visitor.pollLimit = 3;  // the folder entry, 1.c, 2.c
    EXPECT_FALSE(WalkFolder("r", BuildPatternList("*.c"), visitor, reader));
    EXPECT_EQ(visitor.Matched(), N({"sub/1.c", "sub/2.c"}));
}

TEST(WalkFolder, AFolderThatCannotBeReadIsReportedAndTheWalkGoesOn)
{
    FakeDirReader reader;
    RecordingVisitor visitor;
    EXPECT_TRUE(WalkFolder("/missing", BuildPatternList("*.*"), visitor, reader));
    EXPECT_EQ(visitor.events, Names{"skipped /missing: cannot be opened"});

    reader.folders["r"] = {D("gone"), F("a.c")};
    RecordingVisitor inner;
    EXPECT_TRUE(WalkFolder("r", BuildPatternList("*.c"), inner, reader));
    EXPECT_EQ(inner.events, (Names{"skipped gone: cannot be opened", "matched a.c", "checked"}));
}

namespace {

// A chain of folders "d/d/d/..." of the given depth with one file at the bottom.
class DeepDirReader final : public IDirReader
{
public:
    explicit DeepDirReader(std::size_t depth) : m_depth(depth) {}
    bool ReadFolder(const std::string& dir, std::vector<DirEntry>& entries) override
    {
        const auto level = static_cast<std::size_t>(
            std::count(dir.begin(), dir.end(), lintally::testing::PathSeparator()));
        entries = {level < m_depth ? D("d") : F("leaf.c")};
        return true;
    }

private:
    std::size_t m_depth;
};

struct DeepWalk
{
    std::size_t depth;
    RecordingVisitor visitor;
};

void* WalkDeep(void* argument)
{
    auto* walk = static_cast<DeepWalk*>(argument);
    DeepDirReader reader(walk->depth);
    WalkFolder("r", BuildPatternList("*.c"), walk->visitor, reader);
    return nullptr;
}

}  // namespace

TEST(WalkFolder, ADeepTreeDoesNotGrowTheCallStack)
{
    // A walk that recursed once per level would need far more than this small stack.
    DeepWalk walk{3000, {}};
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, 256 * 1024);
    pthread_t thread;
    ASSERT_EQ(pthread_create(&thread, &attributes, WalkDeep, &walk), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
    ASSERT_EQ(walk.visitor.fullPaths.size(), 1u);
    EXPECT_EQ(walk.visitor.fullPaths[0].size(),
              std::string("r").size() + 2 * 3000 + std::string("/leaf.c").size());
}
