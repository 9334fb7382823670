#include "memory/RefStr.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using Hoard::CRefStr;

std::string Text(const CRefStr& s)
{
    return std::string(s.GetText(), s.GetLength());
}

TEST(CRefStr, NewStringHasNoTextUntilClearGivesItA32ByteBlock)
{
    CRefStr s;
    EXPECT_EQ(s.GetLength(), 0u);
    EXPECT_EQ(s.GetText(), nullptr);
    s.Clear();
    ASSERT_NE(s.GetText(), nullptr);
    EXPECT_STREQ(s.GetText(), "");
    EXPECT_EQ(s.GetBlockSize(), 32u);
}

TEST(CRefStr, GrowsIn32ByteStepsAndKeepsItsBlockAcrossClear)
{
    CRefStr s;
    const std::string thirty(30, 'x');
    s.Append(thirty.data(), 30);
    EXPECT_EQ(s.GetBlockSize(), 32u);
    s.Append("y", 1);
    EXPECT_EQ(s.GetBlockSize(), 64u);
    EXPECT_EQ(Text(s), thirty + "y");

    const char* block = s.GetText();
    s.Clear();
    EXPECT_EQ(s.GetBlockSize(), 64u);
    EXPECT_EQ(s.GetText(), block);
    const std::string sixtyTwo(62, 'z');
    s.Append(sixtyTwo.data(), 62);
    EXPECT_EQ(s.GetText(), block);
    s.Append("!", 1);
    EXPECT_EQ(s.GetBlockSize(), 96u);
    EXPECT_EQ(Text(s), sixtyTwo + "!");
}

TEST(CRefStr, ReserveKeepsTheTextAndLeavesRoom)
{
    CRefStr s;
    char* chars = s.Reserve(40);
    EXPECT_STREQ(chars, "");
    EXPECT_EQ(s.GetBlockSize(), 64u);
    s.Assign("keep");
    s.Reserve(100);
    EXPECT_EQ(s.GetBlockSize(), 128u);
    EXPECT_STREQ(s.GetText(), "keep");
}

TEST(CRefStr, AssignCopiesUpToTheFirstNulAndToleratesItsOwnText)
{
    CRefStr s("hello");
    EXPECT_EQ(Text(s), "hello");
    const char* own = s.GetText();
    s.Assign(own);
    EXPECT_EQ(s.GetText(), own);
    EXPECT_EQ(Text(s), "hello");

    s.Assign(own + 2);  // the tail of its own text
    EXPECT_EQ(Text(s), "llo");
    s.Assign("ab\0cd", 5);
    EXPECT_EQ(s.GetLength(), 2u);
    s.Assign("abcdef", 3);
    EXPECT_EQ(Text(s), "abc");

    s.Assign(nullptr);
    EXPECT_STREQ(s.GetText(), "");
    EXPECT_EQ(s.GetLength(), 0u);
    s.Assign("x");
    s.Assign("");
    EXPECT_EQ(s.GetLength(), 0u);

    CRefStr fresh(nullptr);
    EXPECT_STREQ(fresh.GetText(), "");
}

TEST(CRefStr, InsertKeepsWhatFollowsInOrder)
{
    CRefStr s("ad");
    EXPECT_EQ(s.Insert(1, "bc", 2), 2u);
    EXPECT_EQ(Text(s), "abcd");
    s.Insert(0, ">", 1);
    s.Insert(s.GetLength(), "<", 1);
    EXPECT_EQ(Text(s), ">abcd<");
    EXPECT_EQ(s.Insert(2, "", 0), 0u);
    EXPECT_EQ(s.Insert(2, "\0", 1), 1u);  // NUL bytes count as characters
    EXPECT_EQ(s.GetLength(), 7u);
    EXPECT_EQ(Text(s), std::string(">a\0bcd<", 7));
}

TEST(CRefStr, InsertRefusesPositionsPastTheEndAndNullBytes)
{
    CRefStr s("abc");
    EXPECT_EQ(s.Insert(4, "x", 1), 0u);
    EXPECT_EQ(s.Insert(1, nullptr, 3), 0u);
    EXPECT_EQ(Text(s), "abc");
}

TEST(CRefStr, InsertOfItsOwnTextSurvivesTheGrowth)
{
    CRefStr s("0123456789abcdefghijklmnopqrst");  // 30 characters: the next grows the block
    s.Append(s.GetText(), s.GetLength());
    EXPECT_EQ(Text(s), "0123456789abcdefghijklmnopqrst0123456789abcdefghijklmnopqrst");
    CRefStr t("abc");
    t.Insert(1, t.GetText() + 1, 2);
    EXPECT_EQ(Text(t), "abcbc");
}

TEST(CRefStr, EraseCutsTheRangeOrTheTail)
{
    CRefStr one("a");
    EXPECT_EQ(one.Erase(0, 1), 1u);
    EXPECT_EQ(Text(one), "");

    CRefStr s("abcdef");
    EXPECT_EQ(s.Erase(1, 2), 2u);
    EXPECT_EQ(Text(s), "adef");
    EXPECT_EQ(s.Erase(2, 100), 2u);
    EXPECT_EQ(Text(s), "ad");
    EXPECT_EQ(s.Erase(s.GetLength() - 1, 1), 1u);
    EXPECT_EQ(Text(s), "a");
}

TEST(CRefStr, EraseBeyondTheEndRemovesNothing)
{
    CRefStr s("ab");
    EXPECT_EQ(s.Erase(2, 1), 0u);
    EXPECT_EQ(s.Erase(7, 1), 0u);
    EXPECT_EQ(Text(s), "ab");
    CRefStr empty;
    EXPECT_EQ(empty.Erase(0, 1), 0u);
    EXPECT_EQ(empty.GetText(), nullptr);
}

TEST(CRefStr, AtWritesInPlace)
{
    CRefStr s("cat");
    s.At(0) = 'b';
    EXPECT_EQ(s.At(2), 't');
    EXPECT_EQ(Text(s), "bat");
}

TEST(CRefStr, FormatReplacesTheTextWithThePrintedResult)
{
    CRefStr s("old");
    s.Format("%s\\%04d", "Key", 42);
    EXPECT_EQ(Text(s), "Key\\0042");
    s.Format("%s", "");
    EXPECT_STREQ(s.GetText(), "");
    EXPECT_EQ(s.GetLength(), 0u);

    const std::string longText(100, 'q');
    s.Format("[%s]", longText.c_str());
    EXPECT_EQ(Text(s), "[" + longText + "]");
    EXPECT_EQ(s.GetBlockSize(), 128u);
}

TEST(CRefStr, FormatMayReadItsOwnText)
{
    CRefStr s("abcdefghijklmnopqrstuvwxyz");
    s.Format("%s/%s", s.GetText(), s.GetText());
    EXPECT_EQ(Text(s), "abcdefghijklmnopqrstuvwxyz/abcdefghijklmnopqrstuvwxyz");
}

}  // namespace
