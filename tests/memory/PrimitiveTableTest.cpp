#include "memory/PrimitiveTable.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>

namespace {

const CPrimitiveTable& Table()
{
    return *GetPrimitives();
}

// A buffer of guard bytes around the bytes under test, so writes past n show up.
struct Guarded
{
    static constexpr unsigned char kGuard = 0xA5;
    std::array<unsigned char, 32> bytes{};
    Guarded() { bytes.fill(kGuard); }
    // Offset 1 keeps the routines on an unaligned address.
    unsigned char* At() { return bytes.data() + 1; }
    bool UntouchedFrom(std::size_t offset) const
    {
        for (std::size_t i = offset + 1; i < bytes.size(); ++i) {
            if (bytes[i] != kGuard)
                return false;
        }
        return bytes[0] == kGuard;
    }
};

TEST(CPrimitiveTable, IsBuiltOnceWithTheTwoEmptySlotsNull)
{
    const CPrimitiveTable* first = GetPrimitives();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, GetPrimitives());
    EXPECT_EQ(first->Reserved10, nullptr);
    EXPECT_EQ(first->Reserved14, nullptr);
    EXPECT_NE(first->QuatToMat4, nullptr);
    EXPECT_NE(first->Vec4sTransform, nullptr);
}

TEST(CPrimitiveTable, ZeroByteCallsTouchNothingAndReturnTheDestination)
{
    Guarded dst;
    const unsigned char src[4] = {1, 2, 3, 4};
    EXPECT_EQ(Table().MemCopy(dst.At(), src, 0), dst.At());
    EXPECT_EQ(Table().MemFill(dst.At(), 0x11, 0), dst.At());
    EXPECT_EQ(Table().MemXor(src, dst.At(), 0xFF, 0), dst.At());
    EXPECT_EQ(Table().MemAnd(src, dst.At(), 0x00, 0), dst.At());
    EXPECT_EQ(Table().MemMove(dst.At(), src, 0), dst.At());
    EXPECT_EQ(Table().MemCompare(dst.At(), src, 0), 0);
    EXPECT_TRUE(dst.UntouchedFrom(0));
}

TEST(CPrimitiveTable, CopyAndFillOfSevenBytesWriteExactlySeven)
{
    Guarded dst;
    const unsigned char src[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    Table().MemCopy(dst.At(), src, 7);
    EXPECT_EQ(std::memcmp(dst.At(), src, 7), 0);
    EXPECT_TRUE(dst.UntouchedFrom(7));

    Guarded filled;
    Table().MemFill(filled.At(), 0x3C, 7);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(filled.At()[i], 0x3C);
    EXPECT_TRUE(filled.UntouchedFrom(7));
}

TEST(CPrimitiveTable, FillUsesOnlyTheLowByteOfTheValue)
{
    Guarded dst;
    Table().MemFill(dst.At(), 0x1FF, 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(dst.At()[i], 0xFF);
    EXPECT_TRUE(dst.UntouchedFrom(5));
    MemZero(dst.At(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(dst.At()[i], 0);
    EXPECT_TRUE(dst.UntouchedFrom(5));
}

TEST(CPrimitiveTable, CompareIsUnsignedAndGivesOnlyMinusOneZeroOrOne)
{
    const unsigned char high[] = {0x80};
    const unsigned char low[] = {0x7F};
    EXPECT_EQ(Table().MemCompare(high, low, 1), 1);
    EXPECT_EQ(Table().MemCompare(low, high, 1), -1);
    const unsigned char abc[] = {0x61, 0x62, 0x63};
    const unsigned char abd[] = {0x61, 0x62, 0x64};
    EXPECT_EQ(Table().MemCompare(abc, abd, 3), -1);
    EXPECT_EQ(Table().MemCompare(abc, abd, 2), 0);
    const unsigned char far[] = {0x00};
    const unsigned char near[] = {0xF0};
    EXPECT_EQ(Table().MemCompare(near, far, 1), 1);
}

TEST(CPrimitiveTable, OverlappingMovesMatchACopyThroughATemporary)
{
    const char original[] = "0123456789abcdef";
    char up[sizeof original];
    std::memcpy(up, original, sizeof original);
    MemMoveForward(up + 3, up, 10);
    EXPECT_STREQ(up, "0120123456789def");

    char down[sizeof original];
    std::memcpy(down, original, sizeof original);
    Table().MemMove(down + 1, down + 4, 11);
    EXPECT_STREQ(down, "0456789abcdecdef");
}

TEST(CPrimitiveTable, XorAndAndWriteTheirSecondArgument)
{
    const unsigned char src[] = {0x0F, 0xF0, 0xAA};
    unsigned char dst[] = {0, 0, 0};
    Table().MemXor(src, dst, 0xFF, 3);
    EXPECT_EQ(dst[0], 0xF0);
    EXPECT_EQ(dst[1], 0x0F);
    EXPECT_EQ(dst[2], 0x55);
    EXPECT_EQ(src[0], 0x0F);

    Table().MemAnd(src, dst, 0x3C, 3);
    EXPECT_EQ(dst[0], 0x0C);
    EXPECT_EQ(dst[1], 0x30);
    EXPECT_EQ(dst[2], 0x28);

    unsigned char same[] = {0x01, 0x02};
    Table().MemXor(same, same, 0x03, 2);
    EXPECT_EQ(same[0], 0x02);
    EXPECT_EQ(same[1], 0x01);
}

TEST(CPrimitiveTable, WordLoopsWorkOnUnalignedAddressesAndLongRuns)
{
    std::array<unsigned char, 64> src{};
    for (std::size_t i = 0; i < src.size(); ++i)
        src[i] = static_cast<unsigned char>(i * 7 + 1);
    std::array<unsigned char, 64> dst{};
    Table().MemCopy(dst.data() + 3, src.data() + 1, 57);
    EXPECT_EQ(std::memcmp(dst.data() + 3, src.data() + 1, 57), 0);
    EXPECT_EQ(dst[2], 0);
    EXPECT_EQ(dst[60], 0);
}

}  // namespace
