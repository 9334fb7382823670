#include "fileio/ItemIDList.h"
#include "fileio/ShellAllocator.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

using Brim::CItemIDList;
using Brim::LPITEMIDLIST;

namespace {

// Hands out heap blocks and counts how often each one comes back.
class CountingAllocator : public Brim::IShellAllocator
{
public:
    void* Alloc(std::uint32_t size) override
    {
        void* block = std::malloc(size);
        frees[block] = 0;
        return block;
    }
    void Free(void* block) override
    {
        ++frees[block];
        ++freeCalls;
        std::free(block);
    }

    std::map<void*, int> frees;
    int freeCalls = 0;
};

class ItemIDList : public testing::Test
{
protected:
    void SetUp() override { m_previous = Brim::SetShellAllocator(&allocator); }
    void TearDown() override { Brim::SetShellAllocator(m_previous); }

    CountingAllocator allocator;

private:
    Brim::IShellAllocator* m_previous = nullptr;
};

}  // namespace

TEST_F(ItemIDList, BrowserSequenceReleasesTheListExactlyOnce)
{
    LPITEMIDLIST list = Brim::CreateIDListFromPath("/home/user/src");
    ASSERT_NE(list, nullptr);
    char path[260];
    {
        CItemIDList holder;
        holder.Attach(list);
        holder.GetPath(path, sizeof path);
        EXPECT_EQ(holder.Detach(), list);
        Brim::FreeIDList(&list);
        EXPECT_EQ(list, nullptr);
    }
    EXPECT_STREQ(path, "/home/user/src");
    EXPECT_EQ(allocator.freeCalls, 1);
}

TEST_F(ItemIDList, AttachAndDestroyReleaseEachListOnceAndAnEmptyObjectNothing)
{
    {
        CItemIDList empty;
    }
    EXPECT_EQ(allocator.freeCalls, 0);

    LPITEMIDLIST first = Brim::CreateIDListFromPath("/a");
    LPITEMIDLIST second = Brim::CreateIDListFromPath("/b");
    {
        CItemIDList holder;
        holder.Attach(first);
        holder.Attach(second);
        EXPECT_EQ(allocator.freeCalls, 1);
        EXPECT_EQ(allocator.frees[first], 1);
    }
    EXPECT_EQ(allocator.freeCalls, 2);
    EXPECT_EQ(allocator.frees[second], 1);

    LPITEMIDLIST none = nullptr;
    Brim::FreeIDList(&none);
    Brim::FreeIDList(nullptr);
    EXPECT_EQ(allocator.freeCalls, 2);
}

TEST_F(ItemIDList, GetPathCopiesLikeStrncpy)
{
    const std::string longest(259, 'p');
    CItemIDList holder;
    holder.Attach(Brim::CreateIDListFromPath(longest.c_str()));
    char path[260];
    std::memset(path, 'x', sizeof path);
    holder.GetPath(path, sizeof path);
    EXPECT_EQ(std::string(path), longest);

    holder.Attach(Brim::CreateIDListFromPath("/src/project"));
    char shorter[8];
    holder.GetPath(shorter, sizeof shorter);
    EXPECT_EQ(std::string(shorter, sizeof shorter), "/src/pro");  // no terminator: cut at size

    char padded[16];
    std::memset(padded, 'x', sizeof padded);
    holder.GetPath(padded, sizeof padded);
    EXPECT_EQ(std::string(padded, sizeof padded), std::string("/src/project\0\0\0\0", 16));

    CItemIDList empty;
    std::memset(padded, 'x', sizeof padded);
    empty.GetPath(padded, sizeof padded);
    EXPECT_EQ(std::string(padded, sizeof padded), std::string(16, '\0'));
}

TEST_F(ItemIDList, OnlyPathsThatFitABrowserBufferBecomeLists)
{
    EXPECT_EQ(Brim::CreateIDListFromPath(nullptr), nullptr);
    EXPECT_EQ(Brim::CreateIDListFromPath(""), nullptr);
    EXPECT_EQ(Brim::CreateIDListFromPath(std::string(260, 'p').c_str()), nullptr);
    EXPECT_TRUE(allocator.frees.empty());
}
