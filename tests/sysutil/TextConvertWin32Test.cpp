#include "sysutil/TextConvert.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

using Brim::AnsiToWide;
using Brim::WideToAnsi;

// "Grüße €" in code page 1252 and in UTF-16.
constexpr const char* kCp1252 =
    "Gr\xFC\xDF"
    "e \x80";
constexpr const char16_t* kUtf16 = u"Grüße €";

// The cases spell their narrow texts in code page 1252, the ANSI code page of western
// Windows installations and of Wine's default locale.
class TextConvertCp1252Test : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (GetACP() != 1252) {
            GTEST_SKIP() << "the ANSI code page is " << GetACP() << ", not 1252";
        }
    }
};

TEST_F(TextConvertCp1252Test, AnsiTextSurvivesARoundTrip)
{
    char16_t wide[16];
    ASSERT_EQ(AnsiToWide(kCp1252, 0, wide, 16), wide);
    EXPECT_EQ(std::u16string(wide), kUtf16);
    char narrow[16];
    ASSERT_EQ(WideToAnsi(wide, 0, narrow, 16), narrow);
    EXPECT_STREQ(narrow, kCp1252);
    const std::u16string euros(1000, u'€');
    const std::unique_ptr<char[]> many = WideToAnsi(euros.c_str());
    EXPECT_EQ(std::string(many.get()), std::string(1000, '\x80'));
    EXPECT_EQ(std::u16string(AnsiToWide(many.get()).get()), euros);
}

TEST_F(TextConvertCp1252Test, TooSmallDestinationKeepsWholeCharacters)
{
    char16_t wide[4];
    AnsiToWide(kCp1252, 0, wide, 4);
    EXPECT_EQ(std::u16string(wide), u"Grü");
    // U+1F600 is one character in two units that the code page cannot hold: its stand-in
    // ("?" or "??", as the system writes it) is kept whole or left out whole.
    const std::string standIn = WideToAnsi(u"\U0001F600").get();
    ASSERT_FALSE(standIn.empty());
    char narrow[8];
    const auto room = static_cast<std::uint32_t>(2 + standIn.size() + 1);
    WideToAnsi(u"ab\U0001F600c", 0, narrow, room);
    EXPECT_EQ(std::string(narrow), "ab" + standIn);
    WideToAnsi(u"ab\U0001F600c", 0, narrow, room - 1);
    EXPECT_STREQ(narrow, "ab");
}

TEST_F(TextConvertCp1252Test, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    // Best-fit mapping would turn these into "\", "A" and "o": look-alikes that change what a
    // path or a command means.
    char narrow[16];
    WideToAnsi(u"a\uFF3Cb\u0100c\u01A1", 0, narrow, 16);
    EXPECT_STREQ(narrow, "a?b?c?");
    const char16_t loneSurrogate[] = {u'x', 0xD800, u'y', 0};
    WideToAnsi(loneSurrogate, 0, narrow, 16);
    EXPECT_STREQ(narrow, "x?y");
}

}  // namespace
