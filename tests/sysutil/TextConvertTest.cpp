#include "sysutil/TextConvert.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using Brim::AnsiToWide;
using Brim::WideToAnsi;

// Plain ASCII reads the same in every narrow character set, so these cases hold everywhere.

TEST(TextConvert, SourceLengthLimitsTheText)
{
    char16_t wide[16];
    AnsiToWide("abcdef", 3, wide, 16);
    EXPECT_EQ(std::u16string(wide), u"abc");
    char narrow[16];
    WideToAnsi(u"abcdef", 2, narrow, 16);
    EXPECT_STREQ(narrow, "ab");
    EXPECT_EQ(std::u16string(AnsiToWide("abcdef", 4).get()), u"abcd");
    EXPECT_STREQ(WideToAnsi(u"abcdef", 5).get(), "abcde");
}

TEST(TextConvert, TooSmallDestinationIsCutAndTerminated)
{
    char16_t wide[4] = {u'x', u'x', u'x', u'x'};
    AnsiToWide("abcdef", 0, wide, 4);
    EXPECT_EQ(std::u16string(wide), u"abc");
    char narrow[4] = {'x', 'x', 'x', 'x'};
    WideToAnsi(u"abcdef", 0, narrow, 4);
    EXPECT_STREQ(narrow, "abc");
    // Room for the terminator only.
    char16_t oneWide[2] = {u'x', u'y'};
    AnsiToWide("abc", 0, oneWide, 1);
    EXPECT_EQ(oneWide[0], u'\0');
    EXPECT_EQ(oneWide[1], u'y');
    char oneNarrow[2] = {'x', 'y'};
    WideToAnsi(u"abc", 0, oneNarrow, 1);
    EXPECT_EQ(oneNarrow[0], '\0');
    EXPECT_EQ(oneNarrow[1], 'y');
}

TEST(TextConvert, ZeroDestinationSizeConvertsNothing)
{
    char16_t wide[2] = {u'x', u'y'};
    EXPECT_EQ(AnsiToWide("abc", 0, wide, 0), wide);
    EXPECT_EQ(wide[0], u'x');
    char narrow[2] = {'x', 'y'};
    EXPECT_EQ(WideToAnsi(u"abc", 0, narrow, 0), narrow);
    EXPECT_EQ(narrow[0], 'x');
}

TEST(TextConvert, NullSourceGivesNullAndLeavesTheDestination)
{
    char16_t wide[2] = {u'x', u'\0'};
    EXPECT_EQ(AnsiToWide(nullptr, 0, wide, 2), nullptr);
    EXPECT_EQ(wide[0], u'x');
    char narrow[2] = {'x', '\0'};
    EXPECT_EQ(WideToAnsi(nullptr, 0, narrow, 2), nullptr);
    EXPECT_EQ(narrow[0], 'x');
    EXPECT_EQ(AnsiToWide(nullptr), nullptr);
    EXPECT_EQ(WideToAnsi(nullptr), nullptr);
}

TEST(TextConvert, EmptySourceGivesAnEmptyText)
{
    char16_t wide[2] = {u'x', u'\0'};
    AnsiToWide("", 0, wide, 2);
    EXPECT_EQ(wide[0], u'\0');
    char narrow[2] = {'x', '\0'};
    WideToAnsi(u"", 0, narrow, 2);
    EXPECT_EQ(narrow[0], '\0');
    const std::unique_ptr<char16_t[]> wideCopy = AnsiToWide("");
    ASSERT_NE(wideCopy, nullptr);
    EXPECT_EQ(wideCopy[0], u'\0');
    const std::unique_ptr<char[]> narrowCopy = WideToAnsi(u"");
    ASSERT_NE(narrowCopy, nullptr);
    EXPECT_EQ(narrowCopy[0], '\0');
}

TEST(TextConvert, AllocatingFormsHoldALongText)
{
    const std::string text(5000, 'q');
    const std::unique_ptr<char16_t[]> wide = AnsiToWide(text.c_str());
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(std::u16string(wide.get()), std::u16string(5000, u'q'));
    const std::unique_ptr<char[]> narrow = WideToAnsi(wide.get());
    ASSERT_NE(narrow, nullptr);
    EXPECT_EQ(std::string(narrow.get()), text);
}

}  // namespace
