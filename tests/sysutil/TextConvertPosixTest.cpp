#include "sysutil/TextConvert.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <string>

namespace {

using Brim::AnsiToWide;
using Brim::WideToAnsi;

// "Grüße €" followed by U+1F600, which UTF-16 holds as a surrogate pair.
constexpr const char* kUtf8 =
    "Gr\xC3\xBC\xC3\x9F"
    "e \xE2\x82\xAC\xF0\x9F\x98\x80";
constexpr const char16_t* kUtf16 = u"Grüße €\U0001F600";

// Runs each test in a UTF-8 locale and restores the previous one.
class TextConvertUtf8Test : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_strPrevious = std::setlocale(LC_ALL, nullptr);
        ASSERT_NE(std::setlocale(LC_ALL, "C.UTF-8"), nullptr);
    }
    void TearDown() override { std::setlocale(LC_ALL, m_strPrevious.c_str()); }

    std::string m_strPrevious;
};

TEST_F(TextConvertUtf8Test, MultiByteTextSurvivesARoundTrip)
{
    char16_t wide[32];
    ASSERT_EQ(AnsiToWide(kUtf8, 0, wide, 32), wide);
    EXPECT_EQ(std::u16string(wide), kUtf16);
    char narrow[32];
    ASSERT_EQ(WideToAnsi(wide, 0, narrow, 32), narrow);
    EXPECT_STREQ(narrow, kUtf8);
}

TEST_F(TextConvertUtf8Test, AllocatingFormsHoldTheWholeText)
{
    const std::unique_ptr<char16_t[]> wide = AnsiToWide(kUtf8);
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(std::u16string(wide.get()), kUtf16);
    const std::unique_ptr<char[]> narrow = WideToAnsi(wide.get());
    ASSERT_NE(narrow, nullptr);
    EXPECT_STREQ(narrow.get(), kUtf8);
    // Three-byte characters only: the largest growth from UTF-16.
    const std::u16string euros(100, u'€');
    const std::unique_ptr<char[]> many = WideToAnsi(euros.c_str());
    EXPECT_EQ(std::strlen(many.get()), 300u);
    EXPECT_EQ(AnsiToWide(nullptr), nullptr);
    EXPECT_EQ(WideToAnsi(nullptr), nullptr);
}

TEST_F(TextConvertUtf8Test, TooSmallDestinationKeepsWholeCharactersAndTerminates)
{
    char16_t wide[9];
    // Room for 8 units: "Grüße €" is 7, the surrogate pair does not fit whole.
    AnsiToWide(kUtf8, 0, wide, 9);
    EXPECT_EQ(std::u16string(wide), u"Grüße €");
    char narrow[4];
    // Room for 3 bytes: "G", "r", and the two-byte "ü" does not fit.
    WideToAnsi(kUtf16, 0, narrow, 4);
    EXPECT_STREQ(narrow, "Gr");
    char one[1] = {'x'};
    WideToAnsi(kUtf16, 0, one, 1);
    EXPECT_EQ(one[0], '\0');
}

TEST_F(TextConvertUtf8Test, UndecodableInputIsReplacedAndConversionGoesOn)
{
    char16_t wide[16];
    AnsiToWide(
        "a\xFF"
        "b\xE2\x82",
        0, wide, 16);
    EXPECT_EQ(std::u16string(wide), u"a\uFFFDb\uFFFD");
    const char16_t loneSurrogate[] = {u'a', 0xD800, u'b', 0};
    char narrow[16];
    WideToAnsi(loneSurrogate, 0, narrow, 16);
    EXPECT_STREQ(narrow, "a?b");
}

TEST(TextConvert, CharactersOutsideAnAsciiLocaleBecomeQuestionMarks)
{
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "C"), nullptr);
    char narrow[16];
    WideToAnsi(u"a€\U0001F600b", 0, narrow, 16);
    const std::unique_ptr<char16_t[]> wide = AnsiToWide("x\xC3\xBCy");
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_STREQ(narrow, "a??b");
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(std::u16string(wide.get()), u"x\uFFFD\uFFFDy");
}

}  // namespace
