#include "memory/AutoPtr.h"
#include "memory/List.h"
#include "memory/RefMem.h"
#include "memory/RefStr.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <new>

namespace {

using Block = Hoard::CRefMemT<unsigned char, 255>;

int g_frees = 0;

struct CountedFree
{
    static void Free(int* p)
    {
        ++g_frees;
        delete[] p;
    }
};

TEST(CAutoPtr, ReleasesEachArrayOnceAndNothingWhenEmpty)
{
    g_frees = 0;
    {
        Hoard::CAutoPtr<int, Hoard::DefAllocArray<int>, CountedFree> p;
        EXPECT_TRUE(p.IsNull());
        p.Alloc(4);
        p.Alloc(8);  // releases the first array
        EXPECT_EQ(g_frees, 1);
        int* kept = p.Detach();
        EXPECT_TRUE(p.IsNull());
        p.Attach(kept);
    }
    EXPECT_EQ(g_frees, 2);
    {
        Hoard::CAutoPtr<int, Hoard::DefAllocArray<int>, CountedFree> empty;
    }
    EXPECT_EQ(g_frees, 2);
}

void Fill(Block& b, std::uint32_t payload)
{
    unsigned char* data = b.GetData();
    for (std::uint32_t i = 0; i < payload; ++i)
        data[i] = static_cast<unsigned char>('a' + i);
}

TEST(CRefMemT, ReallocRoundsUpToTheStepAndRefusesWhenBigEnough)
{
    Block b;
    EXPECT_EQ(b.GetSize(), 0u);
    EXPECT_EQ(b.GetData(), nullptr);
    EXPECT_TRUE(b.Realloc(5, 0, 4));
    EXPECT_EQ(b.GetSize(), 8u);
    EXPECT_TRUE(b.Realloc(9, 0, 9));
    EXPECT_EQ(b.GetSize(), 9u);

    unsigned char* before = b.GetBlock();
    EXPECT_FALSE(b.Realloc(4, Block::KeepContents, 1));
    EXPECT_FALSE(b.Realloc(9, 0, 32));
    EXPECT_EQ(b.GetBlock(), before);
    EXPECT_EQ(b.GetSize(), 9u);
}

TEST(CRefMemT, ForcedSmallerReallocKeepsTheLeadingBytes)
{
    Block b;
    b.Reserve(10, 1);
    ASSERT_EQ(b.GetSize(), 11u);
    Fill(b, 10);
    EXPECT_TRUE(b.Realloc(4, Block::KeepContents | Block::Force, 3));
    EXPECT_EQ(b.GetSize(), 6u);
    EXPECT_EQ(std::memcmp(b.GetData(), "abcde", 5), 0);

    EXPECT_TRUE(b.Realloc(40, Block::KeepContents, 1));
    EXPECT_EQ(std::memcmp(b.GetData(), "abcde", 5), 0);
}

TEST(CRefMemT, ReserveGivesAnOwnBlockOnePastThePayload)
{
    Block b;
    b.Reserve(16, 1);
    EXPECT_EQ(b.GetSize(), 17u);
    EXPECT_EQ(b.GetBlock()[0], 1);
    EXPECT_EQ(b.GetData(), b.GetBlock() + 1);
    Fill(b, 16);
    unsigned char* before = b.GetBlock();
    b.Reserve(16, 1);
    EXPECT_EQ(b.GetBlock(), before);
    b.Reserve(40, 32);
    EXPECT_EQ(b.GetSize(), 64u);
    EXPECT_EQ(b.GetBlock()[0], 1);
    EXPECT_EQ(std::memcmp(b.GetData(), "abcdefghijklmnop", 16), 0);
}

TEST(CRefMemT, TouchingASharedBlockTakesAPrivateCopy)
{
    Block owner;
    owner.Reserve(4, 1);
    Fill(owner, 4);
    {
        Block other;
        ASSERT_TRUE(other.ShareFrom(owner));
        EXPECT_EQ(other.GetBlock(), owner.GetBlock());
        EXPECT_EQ(owner.GetBlock()[0], 2);

        unsigned char* data = other.GetData();
        EXPECT_NE(other.GetBlock(), owner.GetBlock());
        EXPECT_EQ(other.GetBlock()[0], 1);
        EXPECT_EQ(owner.GetBlock()[0], 1);
        data[0] = 'z';
        EXPECT_EQ(owner.GetData()[0], 'a');
        EXPECT_EQ(std::memcmp(data + 1, "bcd", 3), 0);
    }
    EXPECT_EQ(owner.GetBlock()[0], 1);
}

TEST(CRefMemT, DestroyingOneOfTwoHoldersKeepsTheBlockForTheOther)
{
    Block owner;
    owner.Reserve(3, 1);
    Fill(owner, 3);
    {
        Block other;
        ASSERT_TRUE(other.ShareFrom(owner));
        // Growing a shared block also leaves the old one to its other holder.
        Block third;
        ASSERT_TRUE(third.ShareFrom(owner));
        third.Reserve(50, 1);
        EXPECT_EQ(std::memcmp(third.GetData(), "abc", 3), 0);
        EXPECT_EQ(owner.GetBlock()[0], 2);
    }
    EXPECT_EQ(owner.GetBlock()[0], 1);
    EXPECT_EQ(std::memcmp(owner.GetData(), "abc", 3), 0);
}

TEST(CRefMemT, LettingGoLeavesTheOldBlockToItsOtherHolder)
{
    Block owner;
    owner.Reserve(3, 1);
    Fill(owner, 3);
    Block other;
    ASSERT_TRUE(other.ShareFrom(owner));
    EXPECT_TRUE(other.Realloc(8, Block::KeepContents | Block::Force | Block::LetGoOld, 1));
    EXPECT_NE(other.GetBlock(), owner.GetBlock());
    EXPECT_EQ(std::memcmp(owner.GetBlock() + 1, "abc", 3), 0);
    // Realloc itself does not adjust counts; the caller gives up its share.
    owner.GetBlock()[0] = 1;
    other.GetBlock()[0] = 1;
}

TEST(CRefMemT, SharingStopsAtTheHighestCount)
{
    Hoard::CRefMemT<unsigned char, 2> owner;
    owner.Reserve(1, 1);
    Hoard::CRefMemT<unsigned char, 2> second;
    Hoard::CRefMemT<unsigned char, 2> third;
    EXPECT_TRUE(second.ShareFrom(owner));
    EXPECT_FALSE(third.ShareFrom(owner));
    EXPECT_EQ(third.GetBlock(), nullptr);
    Block empty;
    Block taker;
    EXPECT_FALSE(taker.ShareFrom(empty));
}

TEST(CRefMemT, SizesThatOverflow32BitsFailAsAllocationsAndChangeNothing)
{
    Block b;
    b.Reserve(3, 1);
    unsigned char* before = b.GetBlock();
    EXPECT_THROW(b.Realloc(UINT32_MAX - 3, Block::KeepContents, 32), std::bad_alloc);
    EXPECT_THROW(b.Reserve(UINT32_MAX, 1), std::bad_alloc);
    EXPECT_EQ(b.GetBlock(), before);
    EXPECT_EQ(b.GetSize(), 4u);

    Hoard::CRefStr s("abc");
    EXPECT_THROW(s.Insert(1, "x", UINT32_MAX - 3), std::bad_alloc);
    EXPECT_THROW(s.Reserve(UINT32_MAX - 1), std::bad_alloc);
    EXPECT_STREQ(s.GetText(), "abc");
}

TEST(CList, HoldsItsInitialRoomThenGrowsExactlyKeepingElements)
{
    Hoard::CList<void*> list;
    EXPECT_EQ(list.GetBlockSize(), sizeof(void*) * 16 + 1);
    int slots[17];
    void* first = &slots[0];
    list.InsertAt(0, &first, 1);
    const std::uint32_t sizeWith16 = list.GetBlockSize();
    for (int i = 1; i < 16; ++i) {
        void* p = &slots[i];
        EXPECT_EQ(list.InsertAt(list.GetCount(), &p, 1), 1u);
    }
    EXPECT_EQ(list.GetBlockSize(), sizeWith16);
    void* last = &slots[16];
    list.InsertAt(list.GetCount(), &last, 1);
    EXPECT_EQ(list.GetBlockSize(), sizeof(void*) * 17 + 1);
    ASSERT_EQ(list.GetCount(), 17u);
    for (std::uint32_t i = 0; i < 17; ++i)
        EXPECT_EQ(list.GetAt(i), &slots[i]) << "element " << i;
}

TEST(CList, InsertsAtTheFrontMiddleAndEnd)
{
    Hoard::CList<std::uint32_t> list(2);
    const std::uint32_t three[] = {1, 2, 3};
    EXPECT_EQ(list.InsertAt(0, three, 3), 3u);
    const std::uint32_t front = 9;
    list.InsertAt(0, &front, 1);
    const std::uint32_t pair[] = {7, 8};
    list.InsertAt(2, pair, 2);
    const std::uint32_t back = 5;
    list.InsertAt(list.GetCount(), &back, 1);
    const std::uint32_t expected[] = {9, 1, 7, 8, 2, 3, 5};
    ASSERT_EQ(list.GetCount(), 7u);
    for (std::uint32_t i = 0; i < 7; ++i)
        EXPECT_EQ(list.GetAt(i), expected[i]) << "element " << i;
}

TEST(CList, RefusesEmptyNullAndOutOfRangeInsertions)
{
    Hoard::CList<std::uint32_t> list(1);
    const std::uint32_t x = 4;
    EXPECT_EQ(list.InsertAt(0, nullptr, 1), 0u);
    EXPECT_EQ(list.InsertAt(0, &x, 0), 0u);
    EXPECT_EQ(list.InsertAt(1, &x, 1), 0u);
    EXPECT_EQ(list.GetCount(), 0u);
    EXPECT_EQ(list.GetBlockSize(), sizeof(std::uint32_t) + 1);
}

TEST(CList, InsertingItsOwnElementSurvivesTheGrowth)
{
    Hoard::CList<std::uint64_t> list(2);
    const std::uint64_t two[] = {11, 22};
    list.InsertAt(0, two, 2);
    list.InsertAt(0, &list.GetAt(1), 1);
    ASSERT_EQ(list.GetCount(), 3u);
    EXPECT_EQ(list.GetAt(0), 22u);
    EXPECT_EQ(list.GetAt(1), 11u);
    EXPECT_EQ(list.GetAt(2), 22u);
}

}  // namespace
